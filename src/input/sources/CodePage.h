// The single-byte code pages that the 8-bit strings of BIFF5 workbooks are
// written in: the Windows code pages 1250 to 1258 and Mac Roman (10000,
// also numbered 32768). The workbook names its code page in a CODEPAGE
// record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Appends the bytes, read in the code page, as UTF-8. Bytes below 0x80 are
// ASCII in every code page; NUL is left out. A code page not listed above
// reads as Windows-1252.
void appendCodePageText(std::string& utf8, const char* bytes, std::size_t count, uint16_t codePage);
