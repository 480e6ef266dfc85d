// A look at the signal table as read, for layouts that would generate code
// that reads the wrong bits: object sizes that no CANopen data type has,
// one object given two sizes, signals without bits or outside their object,
// and signals whose bits overlap. It only warns; nothing generated changes.
#pragma once

#include <string>
#include <vector>

#include "input/ZListEntry.h"

// The warnings, one line each (without line end), names as in the sheet.
// Objects (index and sub-index) in the order they first occur; within one:
// its first record's object size, then differing sizes, then each record in
// table order (no bits; outside its object; overlapping the first earlier
// record of the object whose bits it shares). Takes O(n log n) time.
std::vector<std::string> checkSignalSheet(const SignalTable& table);
