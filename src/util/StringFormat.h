// printf-style formatting into std::string and ASCII-only case changes.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

// mingw-w64's standard printf (__USE_MINGW_ANSI_STDIO) is checked as GNU
// printf, not as the Microsoft runtime's.
#if defined(__MINGW_PRINTF_FORMAT)
#define CO447_PRINTF_LIKE(fmt, args) __attribute__((format(__MINGW_PRINTF_FORMAT, fmt, args)))
#elif defined(__GNUC__)
#define CO447_PRINTF_LIKE(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define CO447_PRINTF_LIKE(fmt, args)
#endif

// Formats like snprintf and returns the whole result, however long.
std::string strFormat(const char* format, ...) CO447_PRINTF_LIKE(1, 2);

// The value in lower-case hexadecimal without prefix or leading zeros, as
// "%x" writes it (for the hot paths that format one number per signal).
std::string hexText(uint64_t value);

// Lower-/upper-cases ASCII letters only; every other byte (UTF-8 included) stays.
std::string toLowerAscii(std::string text);
std::string toUpperAscii(std::string text);
