#include "SheetFiles.h"

#include "input/sources/XlsxCellSource.h"

#include "ZipWriter.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace sheetfiles {

void writeZip(const std::string& path, const Parts& parts) {
  std::vector<zipwriter::Entry> entries;
  for (const auto& [name, contents] : parts) entries.emplace_back(name, contents);
  zipwriter::writeZip(path, entries);
}

void setPart(Parts& parts, const std::string& name, const std::string& contents) {
  for (auto& part : parts) {
    if (part.first == name) {
      part.second = contents;
      return;
    }
  }
  parts.emplace_back(name, contents);
}

std::string worksheetXml(const std::string& rows, const std::string& dimension) {
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
      "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">";
  if (!dimension.empty()) xml += "<dimension ref=\"" + dimension + "\"/>";
  return xml + "<sheetData>" + rows + "</sheetData></worksheet>";
}

Parts xlsxParts(const std::vector<std::pair<std::string, std::string>>& sheets,
                const std::vector<std::string>& sharedStrings, const std::string& styles) {
  const std::string relationshipNs = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
  std::string workbook =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" xmlns:r=\"" +
      relationshipNs + "\"><sheets>";
  std::string workbookRels =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
  Parts parts;
  for (std::size_t i = 0; i < sheets.size(); ++i) {
    const std::string id = "rId" + std::to_string(i + 1);
    const std::string file = "sheet" + std::to_string(i + 1) + ".xml";
    workbook += "<sheet name=\"" + sheets[i].first + "\" sheetId=\"" + std::to_string(i + 1) + "\" r:id=\"" + id +
                "\"/>";
    workbookRels += "<Relationship Id=\"" + id + "\" Type=\"" + relationshipNs + "/worksheet\" Target=\"worksheets/" +
                    file + "\"/>";
    parts.emplace_back("xl/worksheets/" + file, sheets[i].second);
  }
  workbook += "</sheets></workbook>";
  if (!sharedStrings.empty()) {
    std::string sst = "<?xml version=\"1.0\"?>\n<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">";
    for (const std::string& item : sharedStrings) sst += "<si>" + item + "</si>";
    parts.emplace_back("xl/sharedStrings.xml", sst + "</sst>");
    workbookRels += "<Relationship Id=\"rIdS\" Type=\"" + relationshipNs +
                    "/sharedStrings\" Target=\"sharedStrings.xml\"/>";
  }
  if (!styles.empty()) {
    parts.emplace_back("xl/styles.xml", styles);
    workbookRels += "<Relationship Id=\"rIdT\" Type=\"" + relationshipNs + "/styles\" Target=\"/xl/styles.xml\"/>";
  }
  workbookRels += "</Relationships>";
  parts.emplace_back("xl/workbook.xml", workbook);
  parts.emplace_back("xl/_rels/workbook.xml.rels", workbookRels);
  parts.emplace_back("_rels/.rels",
                     "<?xml version=\"1.0\"?>\n<Relationships "
                     "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"><Relationship Id=\"rId1\" "
                     "Type=\"" + relationshipNs + "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>");
  // Content types, so that spreadsheet applications open the file too.
  const std::string main = "application/vnd.openxmlformats-officedocument.spreadsheetml.";
  std::string types =
      "<?xml version=\"1.0\"?>\n<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
      "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
      "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
      "<Override PartName=\"/xl/workbook.xml\" ContentType=\"" + main + "sheet.main+xml\"/>";
  for (std::size_t i = 0; i < sheets.size(); ++i) {
    types += "<Override PartName=\"/xl/worksheets/sheet" + std::to_string(i + 1) + ".xml\" ContentType=\"" + main +
             "worksheet+xml\"/>";
  }
  if (!sharedStrings.empty()) {
    types += "<Override PartName=\"/xl/sharedStrings.xml\" ContentType=\"" + main + "sharedStrings+xml\"/>";
  }
  if (!styles.empty()) types += "<Override PartName=\"/xl/styles.xml\" ContentType=\"" + main + "styles+xml\"/>";
  parts.emplace_back("[Content_Types].xml", types + "</Types>");
  return parts;
}

Parts odsParts(const std::string& tables) {
  return Parts{
      {"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
      {"content.xml",
       "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
       "<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
       "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
       "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"><office:body><office:spreadsheet>" +
           tables + "</office:spreadsheet></office:body></office:document-content>"},
  };
}

void patchDeclaredSize(const std::string& path, const std::string& name, uint32_t size) {
  std::string data;
  {
    std::ifstream in(path, std::ios::binary);
    data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  auto put32 = [&data](std::size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) data[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  };
  auto get16 = [&data](std::size_t at) {
    return static_cast<std::size_t>(static_cast<uint8_t>(data[at]) | static_cast<uint8_t>(data[at + 1]) << 8);
  };
  bool patched = false;
  // Local headers (PK\3\4): name at 30, size at 22. Central headers
  // (PK\1\2): name at 46, size at 24.
  for (std::size_t at = 0; at + 46 <= data.size(); ++at) {
    if (data.compare(at, 4, "PK\x03\x04") == 0 && data.compare(at + 30, name.size(), name) == 0 &&
        get16(at + 26) == name.size()) {
      put32(at + 22, size);
      patched = true;
    } else if (data.compare(at, 4, "PK\x01\x02") == 0 && data.compare(at + 46, name.size(), name) == 0 &&
               get16(at + 28) == name.size()) {
      put32(at + 24, size);
      patched = true;
    }
  }
  if (!patched) throw std::runtime_error("no entry " + name);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << data;
}

void writeLargeSignalXlsx(const std::string& path, std::size_t rows) {
  // Shared strings: 0 "x", 1 "Signal list", then one name per row.
  std::vector<std::string> strings = {"<t>x</t>", "<t>Signal list</t>"};
  std::string data = "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>1</v></c></row>";
  data.reserve(rows * 420);
  const char* const letters[] = {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M", "N", "O"};
  for (std::size_t i = 0; i < rows; ++i) {
    const std::string row = std::to_string(i + 2);
    strings.push_back("<t>Signal " + std::to_string(i) + "</t>");
    const std::string nameIndex = std::to_string(strings.size() - 1);
    // index (number 6000 + i, read as hex), name, size, sub, offset, len,
    // reserved, used, command, flags 9..11, object name, short name, PDO
    const std::string values[15] = {
        std::to_string(6000 + i % 4000), nameIndex, "32", std::to_string(1 + i % 200), std::to_string(i % 4 * 8),
        "8", "", "0", i % 2 == 0 ? "0" : "", "0", "0", "", nameIndex, nameIndex, "0",
    };
    data += "<row r=\"" + row + "\">";
    for (int c = 0; c < 15; ++c) {
      if (values[c].empty()) continue;
      const bool text = c == 1 || c == 6 || c == 7 || c == 8 || c == 9 || c == 10 || c == 11 || c == 12 || c == 13 ||
                        c == 14;
      data += std::string("<c r=\"") + letters[c] + row + "\"" + (text ? " t=\"s\"" : "") + "><v>" + values[c] +
              "</v></c>";
    }
    data += "</row>";
  }
  const std::string dimension = "A1:O" + std::to_string(rows + 1);
  writeZip(path, xlsxParts({{"Signals", worksheetXml(data, dimension)}}, strings));
}

std::string xlsxCellTexts(const std::string& path, const std::string& sheet, int rows, int columns) {
  XlsxCellSource source;
  if (source.openDocument(path) != CellSourceResult::ok) return "not opened";
  const CellSourceResult selected = source.selectSheet(sheet);
  std::string out = "selected " + std::to_string(static_cast<int>(selected)) + "\n";
  if (selected != CellSourceResult::ok) return out;
  for (int row = 1; row <= rows; ++row) {
    for (int column = 0; column < columns; ++column) {
      CellAddress address;
      address.row = row;
      address.column = column;
      std::string text;
      source.cellText(address, text);
      if (!text.empty()) out += std::to_string(row) + "/" + std::to_string(column) + "=" + text + "\n";
    }
  }
  return out;
}

}  // namespace sheetfiles
