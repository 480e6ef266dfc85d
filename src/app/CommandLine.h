// Banner, usage text and the command-line parser that fills RunSettings.
#pragma once

#include <ostream>
#include <string>
#include <vector>

class RunSettings;

void printBanner(std::ostream& out);
void printUsage(std::ostream& out);
// The paragraph the help adds after the usage text: what the usage text
// leaves out (the names mode 2 needs, the version, the manual, the exit
// statuses).
void printHelpNotes(std::ostream& out);

// Converts like the C library's atoi: leading white space and a sign are
// accepted, conversion stops at the first non-digit, no digits give 0.
// Values beyond the 32-bit range are clamped.
int32_t atoiLike(const std::string& text);

// Looks every option up in its fixed order and validates it. On the first
// error writes one message (error prefix, text, line end, empty line) and
// returns false. arguments are the items after the program name. Mode 2
// also refuses a malformed SOURCE_DATE_EPOCH (see LocalClock.h).
bool parseCommandLine(const std::vector<std::string>& arguments, RunSettings& settings,
                      std::ostream& out);
