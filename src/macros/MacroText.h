// Small text helpers of the C header.
#pragma once

#include <cstdint>
#include <string>

// Texts taken from the signal description sheet end up inside C comments of
// the header. A "*/" in such a text would close the comment early and turn
// the rest of the text into code of every file that includes the header, so
// each "*/" is replaced by "* /"; everything else stays as it is.
std::string commentSafe(const std::string& text);

// The value in lower-case hexadecimal, padded with zeros to at least
// minDigits digits, as "%0<minDigits>x" writes it (without "0x").
std::string hexDigits(uint64_t value, int minDigits = 1);
