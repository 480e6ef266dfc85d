// Writes spreadsheet files for the reader tests: zip files from parts,
// the parts of minimal .xlsx and .ods documents, and large generated
// sheets.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace sheetfiles {

using Parts = std::vector<std::pair<std::string, std::string>>;  // entry name, contents

// Writes a zip file with the entries in order (deflated).
void writeZip(const std::string& path, const Parts& parts);

// Replaces the contents of the named part (appends it when missing).
void setPart(Parts& parts, const std::string& name, const std::string& contents);

// A worksheet part around sheetData rows; dimension is the ref of the
// dimension element, left out when empty.
std::string worksheetXml(const std::string& rows, const std::string& dimension = "");

// An .xlsx with the sheets (name, worksheet part) in order, the shared
// strings (each an <si> body) and a styles part (left out when empty).
Parts xlsxParts(const std::vector<std::pair<std::string, std::string>>& sheets,
                const std::vector<std::string>& sharedStrings = {}, const std::string& styles = "");

// An .ods whose content.xml holds the tables (each a whole <table:table>
// element).
Parts odsParts(const std::string& tables);

// Overwrites the uncompressed size that the zip file at path declares for
// an entry, in its local header and in the central directory.
void patchDeclaredSize(const std::string& path, const std::string& name, uint32_t size);

// A signal sheet "Signals" with a title row and `rows` data rows of the
// fifteen columns A..O (identity column map, SkipRows 1): names and flags
// as shared strings, numbers as numbers.
void writeLargeSignalXlsx(const std::string& path, std::size_t rows);

// What a reader of an .xlsx sees: "selected <result>", then "row/column=text"
// for every cell of the first `rows` rows and `columns` columns that shows a
// text; "not opened" when the file does not open. An empty sheet name
// selects the first sheet.
std::string xlsxCellTexts(const std::string& path, const std::string& sheet, int rows, int columns);

}  // namespace sheetfiles
