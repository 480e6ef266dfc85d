// Real workbooks, written by the spreadsheet application and by other
// programs, read through the cell sources and compared cell by cell with
// the text the spreadsheet application exported for each of their sheets.
// The workbooks live outside the project (CO447GEN_CORPUS_DIR: files/ and
// baselines/, described in its README); where they are missing the tests
// skip, and fail only in CI.
//
// Every cell must equal its baseline, with the export's dialect undone:
// - the export starts at the top-left cell of the sheet's used range: the
//   baseline is placed so that its first non-empty row and column meet the
//   first non-empty row and column read from the sheet;
// - rows are padded to the sheet's width: padding is empty cells;
// - some baselines are in Windows-1252, the rest in UTF-8; a character the
//   export could not encode became "_";
// - a line break inside a cell was exported as CR, LF or CR LF, and CR LF
//   also stands for two line breaks (cells that end in two);
// - the export recalculated the workbooks: where a formula's result then
//   differed from the result stored in the file (which is what a reader of
//   the file shows), the table below names the cells and why.
// Cells whose format the readers do not apply on purpose (dates, times,
// percentages, currencies, accounting, fractions, custom formats) show a
// number as General and a text as it is. They are compared by value where
// the baseline shows a plain number (grouped digits, decimals, a percent
// or dollar sign, an accounting negative in parentheses), texts without
// the blanks a format puts around them; the other numbers (dates, times, a
// dash for zero, a number within words) are left out, and for them only
// that both sides show something is checked.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "input/ZExcelSheetReader.h"
#include "input/sources/CellSourceFactory.h"
#include "input/sources/CodePage.h"
#include "input/sources/CompoundFile.h"
#include "input/sources/XlsCellSource.h"
#include "input/sources/XlsxCellSource.h"
#include "input/sources/BiffWorkbook.h"

namespace {

namespace fs = std::filesystem;

const std::string kCorpus = fs::path(CO447GEN_CORPUS_DIR).lexically_normal().string();

// The corpus lies beside the project's checkout, not in it, so a clone on
// its own has none: what is missing of it, or "" when it is all there.
std::string missingCorpus() {
  if (fs::is_directory(kCorpus + "/files") && fs::is_directory(kCorpus + "/baselines")) return "";
  return "The corpus of real workbooks is missing: expected files/ and baselines/ in " + kCorpus +
         " (the folder beside the project's checkout).";
}

struct CorpusFile {
  const char* file;       // in files/
  const char* baselines;  // the stem of its baselines in baselines/
  // What the export's recalculation changed:
  // a text in the stored result that the export shows as another,
  std::vector<std::pair<std::string, std::string>> recalculatedTexts;
  // whether a formula that the export could not calculate shows "#VALUE!"
  // (the workbook's formulas call its macros, which the export did not run),
  bool recalculationErrors;
  // and cells ("sheet!A1") whose formula gave another result.
  std::set<std::string> recalculatedCells;
};

const std::vector<CorpusFile> kFiles = {
    {"25183.xls", "apachepoi_25183.xls", {}, false, {}},
    {"34775.xls", "apachepoi_34775.xls", {}, false, {}},
    {"47251_1.xls", "apachepoi_47251_1.xls", {}, false, {}},
    {"49609.xlsx", "apachepoi_49609.xlsx", {}, false, {}},
    {"50939.xls", "apachepoi_50939.xls", {}, false, {}},
    {"54016.xls", "apachepoi_54016.xls", {}, false, {}},
    // TODAY() gave 18 December 2006 when the file was saved; the lookups of
    // row 2 read a table the export filled anew.
    {"StringContinueRecords.xls",
     "apachepoi_StringContinueRecords.xls",
     {{"20061218", "20131213"}},
     true,
     {"file load sequence!S2", "file load sequence!T2", "file load sequence!U2", "file load sequence!V2",
      "file load sequence!W2"}},
    {"WORKBOOK_in_capitals.xls", "apachepoi_WORKBOOK_in_capitals.xls", {}, false, {}},
    {"WithChart.xls", "apachepoi_WithChart.xls", {}, false, {}},
    {"ex42570-20305.xls", "apachepoi_ex42570-20305.xls", {}, false, {}},
    {"pivot_table_named_range.xls", "pivot_table_named_range.xls", {}, false, {}},
    {"pivot_table_test.xls", "pivot_table_test.xls", {}, false, {}},
    // A BIFF5 copy of rich_text_stress.xls, with that file's baselines.
    {"rich_text_stress.biff5.xls", "rich_text_stress.xls", {}, false, {}},
    {"rich_text_stress.xls", "rich_text_stress.xls", {}, false, {}},
};

void PrintTo(const CorpusFile& corpus, std::ostream* out) { *out << corpus.file; }

using Grid = std::vector<std::vector<std::string>>;

bool isUtf8(const std::string& bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    const auto c = static_cast<uint8_t>(bytes[i]);
    const std::size_t length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (length == 0 || i + length > bytes.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<uint8_t>(bytes[i + k]) & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}

// The baseline's cells: comma-separated, quoted fields with doubled
// quotes, rows ending in CR LF. Line breaks inside quoted fields are kept
// as written.
Grid parseBaseline(const std::string& text) {
  Grid rows;
  std::vector<std::string> row;
  std::string field;
  bool quoted = false;
  bool fieldStarted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        field += c;
      }
    } else if (c == '"' && field.empty()) {
      quoted = true;
      fieldStarted = true;
    } else if (c == ',') {
      row.push_back(field);
      field.clear();
      fieldStarted = false;
    } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      row.push_back(field);
      rows.push_back(row);
      row.clear();
      field.clear();
      fieldStarted = false;
      ++i;
    } else {
      field += c;
      fieldStarted = true;
    }
  }
  if (fieldStarted || !field.empty() || !row.empty()) {
    row.push_back(field);
    rows.push_back(row);
  }
  return rows;
}

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// The texts a baseline cell can stand for: its line breaks read as the
// export writes them (CR LF one line break, or two).
std::vector<std::string> lineBreakReadings(const std::string& cell) {
  if (cell.find('\r') == std::string::npos) return {cell};
  return {replaceAll(replaceAll(cell, "\r\n", "\n"), "\r", "\n"), replaceAll(cell, "\r", "\n")};
}

// The code points of a UTF-8 text.
std::vector<uint32_t> codePoints(const std::string& text) {
  std::vector<uint32_t> points;
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<uint8_t>(text[i]);
    const std::size_t length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : 4;
    uint32_t point = length == 1 ? c : c & (0x7F >> length);
    for (std::size_t k = 1; k < length && i + k < text.size(); ++k) {
      point = point << 6 | (static_cast<uint8_t>(text[i + k]) & 0x3F);
    }
    points.push_back(point);
    i += length;
  }
  return points;
}

// Whether Windows-1252 has the character.
bool inWindows1252(uint32_t point) {
  static const std::set<uint32_t> upper = [] {
    std::set<uint32_t> points;
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
      const char c = static_cast<char>(byte);
      std::string utf8;
      appendCodePageText(utf8, &c, 1, 1252);
      points.insert(codePoints(utf8)[0]);
    }
    return points;
  }();
  return point < 0x80 || upper.count(point) > 0;
}

// Whether the text read equals the baseline once every character that the
// baseline's encoding cannot hold is taken for the "_" written instead.
bool equalsWithReplacements(const std::string& read, const std::string& baseline, bool windows1252) {
  if (read == baseline) return true;
  if (!windows1252) return false;
  const std::vector<uint32_t> a = codePoints(read);
  const std::vector<uint32_t> b = codePoints(baseline);
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i] && !(b[i] == '_' && !inWindows1252(a[i]))) return false;
  }
  return true;
}

// A baseline that shows a plain number (sign or accounting parentheses, a
// dollar sign, grouped digits, decimals, a percent sign, blanks around
// it): its value and the decimals it shows.
bool plainNumber(std::string text, double& value, int& decimals) {
  text.erase(0, text.find_first_not_of(' '));
  text.erase(text.find_last_not_of(' ') + 1);
  bool negative = false;
  if (text.size() > 2 && text.front() == '(' && text.back() == ')') {
    negative = true;
    text = text.substr(1, text.size() - 2);
  } else if (!text.empty() && text[0] == '-') {
    negative = true;
    text.erase(0, 1);
  }
  if (!text.empty() && text[0] == '$') text.erase(0, text.find_first_not_of(' ', 1));
  bool percent = false;
  if (!text.empty() && text.back() == '%') {
    percent = true;
    text.pop_back();
  }
  std::string digits;
  decimals = 0;
  bool point = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      digits += c;
      if (point) ++decimals;
    } else if (c == ',' && !point && !digits.empty()) {
      continue;
    } else if (c == '.' && !point) {
      point = true;
      digits += c;
    } else {
      return false;
    }
  }
  if (digits.empty() || digits == ".") return false;
  value = std::strtod(digits.c_str(), nullptr) * (negative ? -1 : 1);
  if (percent) {
    value /= 100;
    decimals += 2;
  }
  return true;
}

// A text read that shows a number in General.
bool generalNumber(const std::string& text, double& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return *end == '\0';
}

struct SheetTally {
  int equal = 0;
  int byValue = 0;
  int leftOut = 0;
  int recalculated = 0;
};

class CorpusTest : public ::testing::TestWithParam<CorpusFile> {};

TEST_P(CorpusTest, EverySheetEqualsItsBaseline) {
  if (const std::string missing = missingCorpus(); !missing.empty()) {
    if (testsupport::runningInCi()) FAIL() << missing;
    GTEST_SKIP() << missing;
  }
  const CorpusFile& corpus = GetParam();
  const std::string path = kCorpus + "/files/" + corpus.file;
  const std::string stem = kCorpus + "/baselines/" + corpus.baselines;
  ASSERT_TRUE(fs::exists(path)) << path;
  ASSERT_TRUE(fs::exists(stem + ".sheetnames")) << stem;

  std::vector<std::string> sheetNames;
  {
    const std::string names = testsupport::readFile(stem + ".sheetnames");
    std::size_t start = 0;
    for (std::size_t end; (end = names.find('\n', start)) != std::string::npos; start = end + 1) {
      sheetNames.push_back(names.substr(start, end - start));
    }
  }
  ASSERT_FALSE(sheetNames.empty());

  std::unique_ptr<CellSource> source = createCellSource(path);
  ASSERT_EQ(source->start(), CellSourceResult::ok);
  ASSERT_EQ(source->openDocument(path), CellSourceResult::ok) << corpus.file;
  const auto* xls = dynamic_cast<const XlsCellSource*>(source.get());
  const auto* xlsx = dynamic_cast<const XlsxCellSource*>(source.get());
  ASSERT_TRUE(xls != nullptr || xlsx != nullptr) << corpus.file;
  auto numberFormat = [&](const CellAddress& address) {
    return xls != nullptr ? xls->numberFormat(address) : xlsx->numberFormat(address);
  };

  // The workbook's own records, for the cells of .xls sheets beyond the
  // part of the sheet compared.
  BiffWorkbook workbook;
  if (xls != nullptr) {
    CompoundFile compound;
    std::string stream;
    ASSERT_TRUE(compound.load(testsupport::readFile(path)));
    ASSERT_TRUE(compound.readStream("Workbook", stream) || compound.readStream("Book", stream));
    ASSERT_TRUE(workbook.load(stream));
    ASSERT_EQ(workbook.sheets().size(), sheetNames.size());
  }

  std::set<std::string> recalculatedSeen;  // the exceptions of the table that were needed
  for (std::size_t index = 0; index < sheetNames.size(); ++index) {
    const std::string& sheetName = sheetNames[index];
    ASSERT_EQ(source->selectSheet(sheetName), CellSourceResult::ok) << corpus.file << " " << sheetName;
    const std::string baselinePath = stem + "." + std::to_string(index) + ".csv";
    if (!fs::exists(baselinePath)) {
      // Chart sheets (and some others) were not exported.
      std::cout << "[ corpus   ] " << corpus.file << " / " << sheetName << ": selected, no baseline\n";
      continue;
    }
    const std::string bytes = testsupport::readFile(baselinePath);
    const bool windows1252 = !isUtf8(bytes);
    std::string text = bytes;
    if (windows1252) {
      text.clear();
      appendCodePageText(text, bytes.data(), bytes.size(), 1252);
    }
    const Grid baseline = parseBaseline(text);

    // The baseline's first non-empty row and column.
    int baseRow = -1;
    int baseColumn = -1;
    int baseWidth = 0;
    for (std::size_t r = 0; r < baseline.size(); ++r) {
      baseWidth = std::max(baseWidth, static_cast<int>(baseline[r].size()));
      for (std::size_t c = 0; c < baseline[r].size(); ++c) {
        if (baseline[r][c].empty()) continue;
        if (baseRow < 0) baseRow = static_cast<int>(r);
        if (baseColumn < 0 || static_cast<int>(c) < baseColumn) baseColumn = static_cast<int>(c);
      }
    }

    // The cells read, in and well around the part the baseline covers.
    const int rowLimit = xls != nullptr ? 65536 : 1048576;
    const int columnLimit = xls != nullptr ? 256 : 16384;
    const int rows = std::min(rowLimit, static_cast<int>(baseline.size()) + 1000);
    const int columns = std::min(columnLimit, baseWidth + 100);
    std::map<std::pair<int, int>, std::string> read;  // (row, column) 0-based
    int readRow = -1;
    int readColumn = -1;
    for (int row = 0; row < rows; ++row) {
      for (int column = 0; column < columns; ++column) {
        CellAddress address{column, row + 1, cellAddressText(column, row + 1)};
        std::string cell;
        ASSERT_EQ(source->cellText(address, cell), CellSourceResult::ok);
        if (cell.empty()) continue;
        read[{row, column}] = cell;
        if (readRow < 0) readRow = row;
        if (readColumn < 0 || column < readColumn) readColumn = column;
      }
    }
    if (baseRow < 0) {
      EXPECT_TRUE(read.empty()) << corpus.file << " / " << sheetName << ": the baseline is empty, read "
                                << cellAddressText(read.begin()->first.second, read.begin()->first.first + 1) << " = "
                                << read.begin()->second;
      std::cout << "[ corpus   ] " << corpus.file << " / " << sheetName << ": empty like its baseline\n";
      continue;
    }
    ASSERT_GE(readRow, 0) << corpus.file << " / " << sheetName << ": no cell read";
    const int rowOffset = readRow - baseRow;
    const int columnOffset = readColumn - baseColumn;
    ASSERT_GE(rowOffset, 0) << corpus.file << " / " << sheetName;
    ASSERT_GE(columnOffset, 0) << corpus.file << " / " << sheetName;

    SheetTally tally;
    std::vector<std::string> differences;
    auto differ = [&](int row, int column, const std::string& got, const std::string& expected) {
      differences.push_back(cellAddressText(column, row + 1) + ": read \"" + got + "\", baseline \"" + expected + "\"");
    };
    for (int r = 0; r < static_cast<int>(baseline.size()); ++r) {
      for (int c = 0; c < baseWidth; ++c) {
        const std::string cell = c < static_cast<int>(baseline[r].size()) ? baseline[r][c] : std::string();
        const int row = r + rowOffset;
        const int column = c + columnOffset;
        const auto found = read.find({row, column});
        const std::string got = found != read.end() ? found->second : std::string();
        if (found != read.end()) read.erase(found);
        const std::string address = cellAddressText(column, row + 1);
        bool equal = false;
        for (const std::string& expected : lineBreakReadings(cell)) {
          equal = equal || equalsWithReplacements(got, expected, windows1252);
        }
        if (equal) {
          ++tally.equal;
          continue;
        }
        const std::string expected = lineBreakReadings(cell)[0];

        // What the export's recalculation changed.
        if (corpus.recalculatedCells.count(sheetName + "!" + address) > 0) {
          recalculatedSeen.insert(sheetName + "!" + address);
          ++tally.recalculated;
          continue;
        }
        if (corpus.recalculationErrors && expected == "#VALUE!") {
          recalculatedSeen.insert("#VALUE!");
          ++tally.recalculated;
          continue;
        }
        std::string recalculated = got;
        for (const auto& [stored, exported] : corpus.recalculatedTexts) {
          recalculated = replaceAll(recalculated, stored, exported);
        }
        if (recalculated != got && equalsWithReplacements(recalculated, expected, windows1252)) {
          recalculatedSeen.insert("texts");
          ++tally.recalculated;
          continue;
        }

        // A format not applied on purpose: a number shown as General, a
        // text as it is.
        if (numberFormat(CellAddress{column, row + 1, address}) != NumberFormat::other) {
          differ(row, column, got, expected);
          continue;
        }
        double number = 0;
        double value = 0;
        int decimals = 0;
        std::string trimmed = expected;
        trimmed.erase(0, trimmed.find_first_not_of(' '));
        trimmed.erase(trimmed.find_last_not_of(' ') + 1);
        if (!generalNumber(got, number)) {
          if (trimmed == got) {
            ++tally.byValue;
          } else {
            differ(row, column, got, expected);
          }
        } else if (plainNumber(expected, value, decimals)) {
          const double tolerance = 0.5 * std::pow(10.0, -decimals) + 1e-9 * std::fabs(value);
          if (std::fabs(number - value) <= tolerance) {
            ++tally.byValue;
          } else {
            differ(row, column, got, expected);
          }
        } else if (!trimmed.empty()) {
          ++tally.leftOut;
        } else {
          differ(row, column, got, expected);
        }
      }
    }
    // Cells read outside the baseline's part of the sheet.
    for (const auto& [cell, got] : read) differ(cell.first, cell.second, got, "");
    if (xls != nullptr) {
      BiffSheetCells cells;
      ASSERT_TRUE(workbook.readCells(index, cells));
      for (const BiffCell& cell : cells.cells) {
        if (cell.row < rows && cell.column < columns) continue;
        const std::string got = workbook.displayText(cell, cells);
        if (!got.empty()) differ(cell.row, cell.column, got, "");
      }
    }

    std::string report;
    for (std::size_t i = 0; i < differences.size() && i < 25; ++i) report += "\n  " + differences[i];
    EXPECT_TRUE(differences.empty()) << corpus.file << " / " << sheetName << ": " << differences.size()
                                     << " cells differ from the baseline (sheet placed at row offset " << rowOffset
                                     << ", column offset " << columnOffset << "):" << report;
    std::cout << "[ corpus   ] " << corpus.file << " / " << sheetName << ": " << tally.equal << " cells equal, "
              << tally.byValue << " by value, " << tally.leftOut << " left out, " << tally.recalculated
              << " recalculated" << (windows1252 ? " (Windows-1252 baseline)" : "") << "\n";
  }
  // Every exception of the table is needed.
  for (const std::string& cell : corpus.recalculatedCells) {
    EXPECT_EQ(recalculatedSeen.count(cell), 1u) << corpus.file << ": " << cell << " equals its baseline";
  }
  EXPECT_EQ(recalculatedSeen.count("#VALUE!"), corpus.recalculationErrors ? 1u : 0u) << corpus.file;
  EXPECT_EQ(recalculatedSeen.count("texts"), corpus.recalculatedTexts.empty() ? 0u : 1u) << corpus.file;
  EXPECT_EQ(source->finish(), CellSourceResult::ok);
}

INSTANTIATE_TEST_SUITE_P(RealWorkbooks, CorpusTest, ::testing::ValuesIn(kFiles),
                         [](const ::testing::TestParamInfo<CorpusFile>& info) {
                           std::string name;
                           for (const char* p = info.param.file; *p != '\0'; ++p) {
                             name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                           }
                           return name;
                         });

// Every workbook of the corpus has its row in the table above.
TEST(Corpus, EveryFileIsInTheTable) {
  if (const std::string missing = missingCorpus(); !missing.empty()) {
    if (testsupport::runningInCi()) FAIL() << missing;
    GTEST_SKIP() << missing;
  }
  std::set<std::string> listed;
  for (const CorpusFile& file : kFiles) listed.insert(file.file);
  std::set<std::string> found;
  for (const auto& entry : fs::directory_iterator(kCorpus + "/files")) found.insert(entry.path().filename().string());
  EXPECT_EQ(found, listed);
}

}  // namespace
