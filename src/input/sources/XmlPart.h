// Helpers for the XML parts of zipped spreadsheet documents. Element and
// attribute names are matched by their local name, so a document that
// writes its elements with a namespace prefix ("x:row") reads the same.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "input/sources/ZipArchive.h"

class XmlPullReader;

// Reads a whole part (a small one, held in memory at once: the workbook,
// its relationships, the styles) with the pull reader and hands every start
// element to onElement with the local names of the open elements, the
// document element first and the element itself last. damaged for malformed XML
// and for a part without a document element.
ZipArchive::Status readXmlPart(
    const ZipArchive& zip, const std::string& part,
    const std::function<void(const XmlPullReader& reader, const std::vector<std::string>& path)>& onElement);

// An integer attribute value: blanks, a sign, decimal digits or "0x" and
// hexadecimal ones, up to the first other character; 0 without digits,
// out-of-range values clamped.
int xmlIntValue(std::string_view text);

// Appends a Unicode code point as UTF-8. NUL and code points that are not
// characters are left out.
void appendUtf8(std::string& text, uint32_t codePoint);
