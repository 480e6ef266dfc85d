// What a generation run reports beside the sheet: the log file with the
// not-read and signal list reports, and the relations file that tells which
// environment variables belong to which object.
#pragma once

#include <string>
#include <vector>

#include "database/VariableAttributes.h"
#include "input/ZListEntry.h"
#include "util/TextStream.h"

// Titles of the signal list reports.
extern const char* const kMacroSignalsTitle;      // mode 2
extern const char* const kOversizedSignalsTitle;  // mode 2
extern const char* const kNotUsedSignalsTitle;    // every mode

// Files derived from the sheet path; "directory" is the sheet's directory.
// The column map: the sheet path with the extension ".ini".
std::string columnMapPath(const std::string& sheetPath);
// directory + sheet name without extension + "_log.txt"
std::string logFilePath(const std::string& sheetPath);
// directory + "object_signal_relations.txt"
std::string relationsFilePath(const std::string& sheetPath);

// One signal list block (empty line, title, underline, column header, the
// list text and one more line end), first on the console, then in the log.
void writeSignalListReport(const std::string& title, const std::string& listText, TextStream& log);

// The rows the reader rejected: into the log (after an empty line), then on
// the console. errorText carries its own line ends.
void writeNotReadReport(const std::string& errorText, TextStream& log);

// The warnings of the sheet check as one block: each line ended, then one
// empty line; first on the console, then in the log. Nothing for none.
void writeSheetWarnings(const std::vector<std::string>& warnings, TextStream& log);

// The database's variables that keep other attributes than the sheet needs:
// one warning each, then what to do, every message followed by an empty
// line; first on the console, then in the log. Nothing for none.
void writeKeptVariablesReport(const std::vector<KeptVariable>& variables, const std::string& databasePath,
                              TextStream& log);

void writeRelationsHeader(TextStream& relations);
// "0x" + index + "sub" + sub-index (five columns) + tab + trigger variable +
// two tabs + value variable; index and sub-index in upper-case hexadecimal.
void writeRelationLine(TextStream& relations, const ZListEntry& record,
                       const std::string& triggerVariable, const std::string& valueVariable);
