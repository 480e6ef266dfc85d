// Text handed to and taken from the wide (UTF-16) Windows calls. The
// program keeps every text as UTF-8 bytes; these turn them into what the
// system takes at the border. Used by the Windows implementation files only.
#pragma once

#include <string>
#include <string_view>

// UTF-8 to UTF-16. Bytes that are no UTF-8 each become U+FFFD.
std::wstring wideText(std::string_view utf8);
// UTF-16 to UTF-8. An unpaired surrogate becomes U+FFFD.
std::string utf8Text(std::wstring_view wide);

// A path as the wide file calls take it: "/" becomes "\", and a path whose
// full path is too long for the classic limit of 260 characters (a short
// relative one too, in a deep current directory) is made absolute and
// given the "\\?\" prefix, so that it works on every Windows whatever the long
// path setting of the machine.
std::wstring widePath(const std::string& path);

// The system's message for an error code, without its line end.
std::string systemMessage(unsigned long errorCode);
