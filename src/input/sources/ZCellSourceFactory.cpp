#include "input/sources/ZCellSourceFactory.h"

#include <cstring>
#include <fstream>

#include "input/sources/ZCompoundFile.h"
#include "input/sources/ZCsvCellSource.h"
#include "input/sources/ZOdsCellSource.h"
#include "input/sources/ZXlsCellSource.h"
#include "input/sources/ZXlsxCellSource.h"
#include "input/sources/ZZipArchive.h"
#include "util/Paths.h"
#include "util/StringFormat.h"

ZSheetFileKind sheetFileKind(const std::string& path) {
  char head[8] = {};
  {
    std::ifstream in(fileSystemPath(path), std::ios::binary);
    in.read(head, sizeof head);
  }
  if (std::memcmp(head, ZCompoundFile::kSignature, sizeof head) == 0) return ZSheetFileKind::xls;
  const std::string extension = toLowerAscii(splitPath(path).extension);
  if (std::memcmp(head, "PK\x03\x04", 4) == 0) {
    ZZipArchive zip;
    if (zip.open(path)) {
      std::string mimetype;
      zip.read("mimetype", mimetype, 256);
      if (zip.has("content.xml") || mimetype.compare(0, 39, "application/vnd.oasis.opendocument.spre") == 0) {
        return ZSheetFileKind::ods;
      }
      return ZSheetFileKind::xlsx;
    }
    return extension == ".ods" ? ZSheetFileKind::ods : ZSheetFileKind::xlsx;
  }
  if (extension == ".xlsx" || extension == ".xlsm") return ZSheetFileKind::xlsx;
  if (extension == ".ods") return ZSheetFileKind::ods;
  // Any other file, an .xls without the compound-file signature included
  // (tab-separated exports are often named .xls), is delimited text.
  return ZSheetFileKind::csv;
}

std::unique_ptr<ZCellSource> createCellSource(const std::string& path) {
  switch (sheetFileKind(path)) {
    case ZSheetFileKind::xlsx:
      return std::make_unique<ZXlsxCellSource>();
    case ZSheetFileKind::xls:
      return std::make_unique<ZXlsCellSource>();
    case ZSheetFileKind::ods:
      return std::make_unique<ZOdsCellSource>();
    case ZSheetFileKind::csv:
      break;
  }
  return std::make_unique<ZCsvCellSource>();
}
