#include "input/sources/CellSourceFactory.h"

#include <cstring>
#include <fstream>

#include "input/sources/CompoundFile.h"
#include "input/sources/CsvCellSource.h"
#include "input/sources/OdsCellSource.h"
#include "input/sources/XlsCellSource.h"
#include "input/sources/XlsxCellSource.h"
#include "input/sources/ZipArchive.h"
#include "util/Paths.h"
#include "util/StringFormat.h"

SheetFileKind sheetFileKind(const std::string& path) {
  char head[8] = {};
  {
    std::ifstream in(fileSystemPath(path), std::ios::binary);
    in.read(head, sizeof head);
  }
  if (std::memcmp(head, CompoundFile::kSignature, sizeof head) == 0) return SheetFileKind::xls;
  const std::string extension = toLowerAscii(splitPath(path).extension);
  if (std::memcmp(head, "PK\x03\x04", 4) == 0) {
    ZipArchive zip;
    if (zip.open(path)) {
      std::string mimetype;
      zip.read("mimetype", mimetype, 256);
      if (zip.has("content.xml") || mimetype.compare(0, 39, "application/vnd.oasis.opendocument.spre") == 0) {
        return SheetFileKind::ods;
      }
      return SheetFileKind::xlsx;
    }
    return extension == ".ods" ? SheetFileKind::ods : SheetFileKind::xlsx;
  }
  if (extension == ".xlsx" || extension == ".xlsm") return SheetFileKind::xlsx;
  if (extension == ".ods") return SheetFileKind::ods;
  // Any other file, an .xls without the compound-file signature included
  // (tab-separated exports are often named .xls), is delimited text.
  return SheetFileKind::csv;
}

std::unique_ptr<CellSource> createCellSource(const std::string& path) {
  switch (sheetFileKind(path)) {
    case SheetFileKind::xlsx:
      return std::make_unique<XlsxCellSource>();
    case SheetFileKind::xls:
      return std::make_unique<XlsCellSource>();
    case SheetFileKind::ods:
      return std::make_unique<OdsCellSource>();
    case SheetFileKind::csv:
      break;
  }
  return std::make_unique<CsvCellSource>();
}
