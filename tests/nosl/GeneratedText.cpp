#include "GeneratedText.h"

#include <algorithm>

#include "framework/ZGenerator.h"
#include "framework/ZNoslFunction.h"
#include "input/ZListEntry.h"
#include "util/TextStream.h"

namespace generatedtext {

PieceText writePiece(ZNoslFunction& piece) {
  SignalTable table;
  ZCoNosl447InteractionLayer generator(table);
  TextStream stream;
  PieceText text;
  text.result = piece.writeBody(stream, generator);
  text.bytes = stream.contents();
  text.lines = splitCrLf(text.bytes, &text.allLinesEndInCrLf);
  return text;
}

std::vector<std::string> splitCrLf(const std::string& text, bool* clean) {
  std::vector<std::string> lines;
  bool ok = text.empty() || (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0);
  std::string current;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      lines.push_back(current);
      current.clear();
      ++i;
    } else {
      if (c == '\r' || c == '\n') ok = false;
      current += c;
    }
  }
  if (!current.empty()) lines.push_back(current);
  if (clean != nullptr) *clean = ok;
  return lines;
}

int countLines(const std::vector<std::string>& lines, const std::string& line) {
  return static_cast<int>(std::count(lines.begin(), lines.end(), line));
}

}  // namespace generatedtext
