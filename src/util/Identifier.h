// The identifier rule that turns any name into one usable in generated code.
#pragma once

#include <string>

// Every byte outside [A-Za-z0-9_] becomes "_" (each byte of a multi-byte
// character too), the result is cut to 127 characters, and an empty text
// gives the fallback. Case, leading digits and runs of "_" are kept.
std::string sanitizeIdentifier(const std::string& text, const std::string& fallback);

// Appends sanitizeIdentifier(text, "") to out; with lowerCase, of the text
// with ASCII letters lower-cased first. (For names composed in bulk,
// without the temporary strings.)
void appendIdentifier(std::string& out, const std::string& text, bool lowerCase);
