// What the tests of whole runs share: the basic fixture sheet placed in a
// work directory, the command lines of modes 1 and 2 that run on it, and
// the files a run may leave beside its targets.
#pragma once

#include <string>
#include <vector>

#include "TestSupport.h"

namespace runfixtures {

// Mode 1 (tester node, database ./taxi.dbc, output ./tester.can), mode 2
// (header ./macros.h) and mode 3 (database ./taxi.dbc, output ./node.cin)
// on the sheet, Taximeter and Tester.
std::vector<std::string> mode1Arguments(const std::string& sheet = "./signals.csv");
std::vector<std::string> mode2Arguments(const std::string& sheet = "./signals.csv");
std::vector<std::string> mode3Arguments(const std::string& sheet = "./signals.csv");

// The basic fixture sheet (tests/data/app/basic<extension>) and its column
// map as signals<extension> and signals.ini in dir.
void placeSheet(const testsupport::TempDir& dir, const std::string& extension = ".csv");

// A sheet of the given number of signals, large enough for a run to take
// a while.
std::string largeSheet(int signals);

bool endsWith(const std::string& text, const std::string& tail);

// Temporary and lock files ("*.co447gen-*") in a directory.
std::vector<std::string> leftovers(const std::string& directory);

}  // namespace runfixtures
