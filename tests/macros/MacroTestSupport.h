// Helpers shared by the tests of the C macro header.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/ZNoslFunction.h"
#include "input/ZListEntry.h"
#include "macros/LocalClock.h"

namespace macrotest {

// A status signal that is used (so a header signal unless reserved or too
// wide). The signal name defaults to the short name.
ZListEntry signal(uint32_t objectIndex, uint32_t objectSubIndex, int32_t objectSize, int32_t offset,
                  int32_t size, const std::string& shortName, const std::string& signalName = "",
                  const std::string& objectName = "");

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
