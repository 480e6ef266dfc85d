// Writes NOSL pieces through the generator into memory, as the run writes
// them into the output file, and splits generated text into its lines.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/ZGenerator.h"
#include "input/ZListEntry.h"

namespace nosltest {

// Fills the list the way a factory would; gets the generator's table.
using PieceMaker = std::function<void(FunctionList& list, const SignalTable& table)>;

// Everything the pieces write, in list order, exactly as the file would hold it.
std::string render(const SignalTable& table, const PieceMaker& makePieces);

// The lines of a generated text, each of which must end in CR LF; a line end
// of any other form makes the result end with a line "<bad line end>".
std::vector<std::string> crlfLines(const std::string& text);

// lamp_state and lamp_level (status, object 0x6001 sub-index 1, 16 bits) and
// lamp_set (command, object 0x6002 sub-index 1, 16 bits).
SignalTable lampTable();
// The pieces of a file for lampTable(), in file order from the upload
// response callback on.
void lampPieces(FunctionList& list, const SignalTable& table);

// Objects of 16, 32, 33 and 64 bits, a status object met again after
// another, and a reserved status record in an object of its own.
SignalTable mixedTable();
void mixedPieces(FunctionList& list, const SignalTable& table);

// The contents of a file below tests/data/nosl.
std::string golden(const std::string& name);

}  // namespace nosltest
