#include "input/sources/CsvCellSource.h"

#include <algorithm>
#include <fstream>
#include <string_view>

#include "input/sources/ZipArchive.h"
#include "util/FileRead.h"
#include "util/Paths.h"

namespace {

const char kByteOrderMark[] = "\xEF\xBB\xBF";
// The file is read in pieces of this size: a run holds the cells it keeps,
// never the whole text.
constexpr std::size_t kPieceBytes = 256 * 1024;

// Counts the delimiters of the first line outside quotes.
class DelimiterCount {
 public:
  // Counts text up to a line end outside quotes; false once one is found.
  bool count(std::string_view text) {
    for (char c : text) {
      if (c == '"') {
        quoted_ = !quoted_;
      } else if (!quoted_ && (c == '\n' || c == '\r')) {
        return false;
      } else if (!quoted_ && c == ',') {
        ++commas_;
      } else if (!quoted_ && c == ';') {
        ++semicolons_;
      } else if (!quoted_ && c == '\t') {
        ++tabs_;
      }
    }
    return true;
  }

  char delimiter() const {
    if (tabs_ > commas_ && tabs_ > semicolons_) return '\t';
    return semicolons_ > commas_ ? ';' : ',';
  }

 private:
  std::size_t commas_ = 0;
  std::size_t semicolons_ = 0;
  std::size_t tabs_ = 0;
  bool quoted_ = false;
};

// Splits delimited text into the grid piece by piece; a piece may end
// anywhere, inside a quoted field or between a CR and its LF. A quoted
// field begins with a quote while the field is still empty; in it "" is
// one quote and line breaks belong to the field (CR LF kept as LF); text
// after its closing quote is taken as it is. Empty fields take no room in
// the grid, nor do fields of columns the grid does not keep.
class CsvSplitter {
 public:
  CsvSplitter(CellGrid<std::string>& grid, char delimiter) : grid_(grid), delimiter_(delimiter) {
    keep_ = grid_.keepsColumn(0);
  }

  void feed(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
      const char c = text[i];
      switch (state_) {
        case State::plain:
          i = plain(text, i);
          continue;
        case State::quoted:
          if (c == '"') {
            state_ = State::quoteInQuoted;
          } else if (c == '\r') {
            state_ = State::crInQuoted;
          } else {
            append(c);
          }
          break;
        case State::quoteInQuoted:
          if (c == '"') {
            append('"');
            state_ = State::quoted;
            break;
          }
          state_ = State::plain;  // the closing quote: c is read as plain text
          continue;
        case State::crInQuoted:
          // CR LF is kept as LF; a lone CR stays.
          state_ = State::quoted;
          if (c != '\n') {
            append('\r');
            continue;
          }
          append('\n');
          break;
        case State::lfAfterCr:
          state_ = State::plain;
          if (c != '\n') continue;
          break;
      }
      ++i;
    }
  }

  // The end of the text.
  void finish() {
    if (state_ == State::crInQuoted) append('\r');
    if (fieldHasText_ || column_ > 0) endRow();
  }

 private:
  enum class State { plain, quoted, quoteInQuoted, crInQuoted, lfAfterCr };

  // Reads plain text from text[i] on up to the next character that means
  // more; the position after what it read.
  std::size_t plain(std::string_view text, std::size_t i) {
    std::size_t end = i;
    while (end < text.size() && !special(text[end])) ++end;
    if (end > i) {
      if (keep_) field_.append(text.data() + i, end - i);
      fieldHasText_ = true;
      return end;
    }
    const char c = text[i];
    if (c == '"') {
      if (fieldHasText_) {
        append(c);
      } else {
        state_ = State::quoted;
      }
    } else if (c == delimiter_) {
      endField();
    } else {
      endRow();
      if (c == '\r') state_ = State::lfAfterCr;
    }
    return i + 1;
  }

  bool special(char c) const { return c == delimiter_ || c == '"' || c == '\n' || c == '\r'; }

  void append(char c) {
    if (keep_) field_ += c;
    fieldHasText_ = true;
  }

  void endField() {
    if (!field_.empty()) {
      if (!rowStarted_) rowStarted_ = grid_.beginRow(row_);
      if (rowStarted_) grid_.addCell(column_, 1, std::move(field_));
    }
    field_.clear();
    fieldHasText_ = false;
    ++column_;
    keep_ = grid_.keepsColumn(column_);
  }

  void endRow() {
    endField();
    ++row_;
    column_ = 0;
    keep_ = grid_.keepsColumn(0);
    rowStarted_ = false;
  }

  CellGrid<std::string>& grid_;
  const char delimiter_;
  State state_ = State::plain;
  uint64_t row_ = 0;
  uint64_t column_ = 0;
  bool rowStarted_ = false;
  bool keep_ = true;  // the grid keeps the current column
  bool fieldHasText_ = false;
  std::string field_;
};

}  // namespace

char detectCsvDelimiter(const std::string& text) {
  DelimiterCount count;
  count.count(text);
  return count.delimiter();
}

CellSourceResult CsvCellSource::start() { return CellSourceResult::ok; }

CellSourceResult CsvCellSource::openDocument(const std::string& path) {
  grid_.clear();
  std::ifstream in(fileSystemPath(path), std::ios::binary);
  if (!in) {
    throwIfOpenLackedMemory();
    return CellSourceResult::failed;
  }
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0 || static_cast<uint64_t>(size) > ZipArchive::kMaxEntryBytes) return CellSourceResult::failed;
  std::string piece(kPieceBytes, '\0');
  std::streamoff offset = 0;
  std::string_view text;
  // Reads the next piece into text, a byte order mark at the start of the
  // file left out; false at the end or when the file cannot be read.
  const auto next = [&]() {
    const std::size_t want = static_cast<std::size_t>(std::min<std::streamoff>(size - offset, kPieceBytes));
    if (want == 0 || !in.read(&piece[0], static_cast<std::streamsize>(want))) return false;
    text = std::string_view(piece.data(), want);
    if (offset == 0 && text.compare(0, 3, kByteOrderMark) == 0) text.remove_prefix(3);
    offset += static_cast<std::streamoff>(want);
    return true;
  };
  const auto rewind = [&]() {
    in.clear();
    offset = 0;
    return static_cast<bool>(in.seekg(0, std::ios::beg));
  };
  // The delimiter comes from the text before the first CR or LF.
  DelimiterCount count;
  if (!rewind()) return CellSourceResult::failed;
  while (next()) {
    const std::size_t lineEnd = text.find_first_of("\r\n");
    count.count(text.substr(0, lineEnd));
    if (lineEnd != std::string_view::npos) break;
  }
  if (!rewind()) return CellSourceResult::failed;
  CsvSplitter splitter(grid_, count.delimiter());
  // A NUL byte makes the file binary, not text.
  bool binary = false;
  while (!binary && next()) {
    binary = text.find('\0') != std::string_view::npos;
    if (!binary) splitter.feed(text);
  }
  if (binary || offset != size) {
    grid_.clear();
    return CellSourceResult::failed;
  }
  splitter.finish();
  return CellSourceResult::ok;
}

bool CsvCellSource::parse(const std::string& input, std::size_t pieceBytes) {
  grid_.clear();
  if (input.find('\0') != std::string::npos) return false;
  std::string_view text(input);
  if (text.compare(0, 3, kByteOrderMark) == 0) text.remove_prefix(3);
  CsvSplitter splitter(grid_, detectCsvDelimiter(std::string(text.substr(0, text.find_first_of("\r\n")))));
  for (std::size_t at = 0; at < text.size(); at += pieceBytes) splitter.feed(text.substr(at, pieceBytes));
  splitter.finish();
  return true;
}

CellSourceResult CsvCellSource::selectSheet(const std::string&) { return CellSourceResult::ok; }

CellSourceResult CsvCellSource::cellText(const CellAddress& address, std::string& text) {
  const std::string* cell =
      grid_.find(static_cast<uint64_t>(address.row) - 1, static_cast<uint64_t>(address.column));
  text = cell != nullptr ? *cell : std::string();
  return budget_.take(text.size()) ? CellSourceResult::ok : CellSourceResult::documentUnreadable;
}

CellSourceResult CsvCellSource::finish() {
  grid_.clear();
  return CellSourceResult::ok;
}
