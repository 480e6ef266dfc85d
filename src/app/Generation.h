// The generation run: reads the sheet and writes the output of the mode.
#pragma once

class ZIniMapExcelSheetReader;
class ZNoslFactoryInterface;
class ZTextStream;

// Runs the generation for the process-wide RunSettings. Returns false when
// the run failed or ended early; it has then printed its own messages.
bool runGeneration();

// The steps of a run, for the modes' runs and for tests.
// Prints the sheet and log paths, opens the log file (truncating) and reads
// the worksheet "Signals" through the column map. False, with the message
// printed, when the log cannot be opened or the sheet cannot be read.
bool openSheetAndLog(ZIniMapExcelSheetReader& reader, ZTextStream& log);
// Modes 1 and 3: signal names, database, relations file and the NOSL file.
bool runNodeScriptGeneration(ZNoslFactoryInterface& factory);
// Mode 2: the C header and its three signal lists.
bool runMacroGeneration(ZNoslFactoryInterface& factory);
