// The generation run: reads the sheet and writes the output of the mode.
#pragma once

class ZIniMapExcelSheetReader;
class ZNoslFactoryInterface;
class TextStream;

// Runs the generation for the process-wide RunSettings. Returns false when
// the run failed or ended early; it has then printed its own messages.
// A run that runs out of memory ends with a message, not an abort.
bool runGeneration();

// The message of a run that ran out of memory, on the console and, where
// there is one, in the log.
void reportOutOfMemory(TextStream* log);

// The steps of a run, for the modes' runs and for tests.
// Prints the sheet and log paths, opens the log file (truncating) and reads
// the worksheet "Signals" through the column map. False, with the message
// printed, when the log cannot be opened or the sheet cannot be read.
bool openSheetAndLog(ZIniMapExcelSheetReader& reader, TextStream& log);
// Modes 1 and 3: signal names, database, relations file and the NOSL file;
// log is the run's log file, opened by openSheetAndLog.
bool runNodeScriptGeneration(ZNoslFactoryInterface& factory, TextStream& log);
// Mode 2: the C header and its three signal lists.
bool runMacroGeneration(ZNoslFactoryInterface& factory, TextStream& log);
