// Helpers shared by the tests of the C macro header.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/ZNoslFunction.h"
#include "TestSupport.h"
#include "input/ZListEntry.h"
#include "macros/LocalClock.h"

namespace macrotest {

// A status signal that is used (so a header signal unless reserved or too
// wide), its signal name its short name until the test names it.
testsupport::Signal headerSignal(const std::string& shortName);

// The table of the golden header: the worked examples and the edge cases of
// the header (grouping, reserved and unused records, narrow, odd-sized and
// wide objects, a sheet text with "*/").
SignalTable goldenTable();

// 7 December 2026, 9:05.
LocalClock fixedClock();

// The header the macro factory and generator write for the table, collected
// in memory; uses the current run settings.
std::string generateHeader(const SignalTable& table, const LocalClock& clock = fixedClock());

// The text one piece writes (with "\r\n" line ends).
std::string pieceText(ZNoslFunction& piece);

// The lines of a text whose lines all end in CR LF (a failure otherwise).
std::vector<std::string> linesOf(const std::string& crlfText);

}  // namespace macrotest
