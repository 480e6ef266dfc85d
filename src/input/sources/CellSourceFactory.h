// Chooses the cell source for a spreadsheet file.
#pragma once

#include <memory>
#include <string>

#include "input/CellSource.h"

enum class SheetFileKind { xlsx, xls, ods, csv };

// By the file's first bytes: a compound file is .xls; a zip with
// content.xml or an OpenDocument mimetype is .ods, any other zip .xlsx.
// Without a known signature the extension decides (.xlsx/.xlsm, .ods),
// and anything else, an .xls file included, is read as delimited text.
SheetFileKind sheetFileKind(const std::string& path);

// The source for the file at path (the default factory of the readers).
std::unique_ptr<CellSource> createCellSource(const std::string& path);
