// Helpers for tests of generated NOSL text: write one piece into memory and
// look at it line by line.
#pragma once

#include <string>
#include <vector>

class ZNoslFunction;

namespace generatedtext {

struct PieceText {
  bool result = false;        // what writeBody returned
  std::string bytes;          // exactly what the piece wrote
  std::vector<std::string> lines;  // the lines without their CR LF
  bool allLinesEndInCrLf = false;  // every line ends with CR LF, no bare LF or CR
};

// Writes the piece's body into an in-memory stream (with a generator over an
// empty table, which the fixed pieces do not use).
PieceText writePiece(ZNoslFunction& piece);

// Splits text that uses CR LF line ends; false in `clean` when a bare LF or
// CR occurs or the text does not end with a line end.
std::vector<std::string> splitCrLf(const std::string& text, bool* clean = nullptr);

// Counts the lines equal to `line`.
int countLines(const std::vector<std::string>& lines, const std::string& line);

}  // namespace generatedtext
