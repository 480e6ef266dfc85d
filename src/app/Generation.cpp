#include "app/Generation.h"

#include <filesystem>
#include <memory>
#include <new>
#include <ostream>
#include <string>
#include <system_error>

#include "app/HeapSetup.h"
#include "app/RunReports.h"
#include "app/SheetCheck.h"
#include "app/SignalVariables.h"
#include "core/RunSettings.h"
#include "database/EnvVarDatabaseWriter.h"
#include "database/VariableAttributes.h"
#include "framework/ZGenerator.h"
#include "framework/ZNoslFactory.h"
#include "input/ZIniMapExcelSheetReader.h"
#include "macros/ZCANopenDS447MacrosFactory.h"
#include "nosl/ZCANopenDS447InteractionLayerFactory.h"
#include "util/Console.h"
#include "util/FileLock.h"
#include "util/FileRead.h"
#include "util/Paths.h"
#include "util/ReplacementFile.h"
#include "util/StringFormat.h"
#include "util/TextStream.h"

namespace {

const char kOutOfMemory[] = "Not enough memory to finish the run";

constexpr int kColumnSetNodeScript = 1;
constexpr int kColumnSetMacros = 2;
const char* const kSheetName = "Signals";

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

// A hard failure or a warning: the message, a line end and an empty line.
void printMessage(const std::string& message) { consoleOut() << message << "\n\n"; }

// The same, seen at once also on a console that is a pipe or a file: a run
// that waits, or ends, must not leave its last lines in a buffer.
void printNow(const std::string& message) { consoleOut() << message << "\n\n" << std::flush; }

// A warning on the console and in the log, each followed by an empty line.
void warn(const std::string& warning, TextStream& log) {
  printMessage(warning);
  log.write(warning + "\n\n");
}

// What the run says after reading: the rows not read, the sheet check's
// warnings, and a word when no signal at all came from the sheet (a
// SkipRows past the data, wrong column numbers, an empty sheet...), which
// would otherwise give empty outputs without a word.
void reportReading(const ZIniMapExcelSheetReader& reader, TextStream& log) {
  if (!reader.errorText().empty()) writeNotReadReport(reader.errorText(), log);
  writeSheetWarnings(checkSignalSheet(reader.signalTable()), log);
  if (reader.signalTable().count() == 0) {
    warn("Warning: no signal was read from " + quoted(runSettings().sheetPath()), log);
  }
}

std::unique_ptr<ZNoslFactoryInterface> createFactory(int32_t generationMode) {
  switch (generationMode) {
    case 1:
      return std::make_unique<ZCANopenDS447InteractionLayerMode1Factory>();
    case 2:
      return std::make_unique<ZCANopenDS447MacrosFactory>();
    case 3:
      return std::make_unique<ZCANopenDS447InteractionLayerMode3Factory>();
    default:
      return nullptr;
  }
}

// Only a regular file (or nothing) may stand at the output path: a FIFO
// would block the run, a device or a link to nowhere would be replaced.
// False, with the message printed, otherwise.
bool outputPathIsUsable(const std::string& outputPath) {
  if (pathKindAt(outputPath, true) == PathKind::RegularFile || pathKindAt(outputPath, false) == PathKind::Nothing) {
    return true;
  }
  printMessage("Error writing output file " + quoted(outputPath));
  return false;
}

// Deletes an existing output file before the new one is written. False,
// with the message printed, when that is not possible; a file that another
// program keeps open (Windows) is tried again for about a second first.
bool clearOutputFile(const std::string& outputPath) {
  if (!outputPathIsUsable(outputPath)) return false;
  if (isReadableFile(outputPath)) {
    printMessage("Deleting output file " + quoted(outputPath) + "...");
    const Removal removal = removeOldFile(outputPath);
    if (removal != Removal::Removed) {
      printMessage("Error writing output file " + quoted(outputPath) +
                   (removal == Removal::InUse ? "\n" + fileInUseText(outputPath) : std::string()));
      return false;
    }
  }
  // Anything still there (a file this process may not read, which is not
  // deleted) would stand where the output goes.
  if (pathKindAt(outputPath, false) != PathKind::Nothing) {
    printMessage("Error writing output file " + quoted(outputPath));
    return false;
  }
  return true;
}

// Makes the file the output is written into before anything is saved or
// deleted: a run that cannot write its output (a name the file system
// refuses, a directory the user may not write) leaves every file as it was.
bool prepareOutput(ZCoNoslGen& generator) {
  std::string errorText;
  if (generator.prepareOutput(errorText)) return true;
  printMessage("Error writing output file " + quoted(generator.outputPath()));
  return false;
}

// Lets the factory create the pieces and writes them into the output file.
bool generateOutput(ZCoNoslGen& generator, ZNoslFactoryInterface& factory) {
  const bool created = generator.createFunctions(&generator, &factory);
  if (!created || !generator.writeFunctions(&generator, &factory)) {
    printMessage("Error writing output file " + quoted(generator.outputPath()));
    return false;
  }
  return true;
}

// Lines of the report on a signal whose key occurred before; %s / %x / %d
// take the values in the order they appear.
const char* const kDuplicateReport[] = {
    "The following signal is included twice:",
    "---------------------------------------",
    " Signal name:            \"%s\"",
    " Object:                 0x%x",
    " Sub object:             0x%x",
    " Signal position:        %d",
    " VARIABLE NAME TO DISPLAY THE VALUE ON A PANEL: \"%s\"",
    " VARIABLE NAME TO INITIATE AN SDO DOWNLOAD:     \"%s\"",
    "",
};

void writeDuplicateReport(const std::string& nameAsRead, const ZListEntry& record,
                          const SignalVariableNames& names, TextStream& log) {
  const std::string text =
      std::string(kDuplicateReport[0]) + "\n" + kDuplicateReport[1] + "\n" +
      strFormat(kDuplicateReport[2], nameAsRead.c_str()) + "\n" +
      strFormat(kDuplicateReport[3], record.objectIndex) + "\n" +
      strFormat(kDuplicateReport[4], record.objectSubIndex) + "\n" +
      strFormat(kDuplicateReport[5], record.signalOffset) + "\n" +
      strFormat(kDuplicateReport[6], names.panelVariable.c_str()) + "\n" +
      strFormat(kDuplicateReport[7], names.downloadVariable.c_str()) + "\n" + kDuplicateReport[8] +
      "\n";
  consoleOut() << text;
  log.write(text);
}

// Enters the variables in order. False,
// with the message on the console and in the log, at the first failure.
bool enterVariables(EnvVarDatabaseWriter& database, const std::vector<EnvVarEntry>& entries,
                    TextStream& log) {
  for (const EnvVarEntry& entry : entries) {
    // An existing variable stays as it is (the writer notes one whose
    // attributes differ from the entry's), shared ones included.
    if (!database.addVariable(entry.name, kVariableCodeReadWrite, entry.typeCode, entry.minimum,
                              entry.maximum, entry.initial)) {
      const std::string message = "Error adding environmant variable " + quoted(entry.name);
      printNow(message);
      log.write(message + "\n\n");
      return false;
    }
  }
  return true;
}

// Gives every signal its final name, writes it back into the table, enters
// its variables and writes its relations line.
bool runSignalPass(SignalTable& table, bool splitTwoWordObjects, EnvVarDatabaseWriter& database,
                   TextStream& relations, TextStream& log) {
  SignalNaming naming(table);
  // At most three variables per signal: trigger, object (or split) and value.
  database.reserveVariables(3 * table.count());
  for (std::size_t i = 0; i < table.count(); ++i) {
    ZListEntry& record = table.at(i);
    const std::string nameAsRead = record.signalName;
    bool reported = false;
    const std::string baseName = naming.uniqueBaseName(record, reported);
    const SignalVariableNames names = signalVariableNames(record, baseName);
    if (reported) writeDuplicateReport(nameAsRead, record, names, log);
    record.signalName = baseName;
    // The object handler of a split object writes every unreserved signal
    // of it, commands included, so such a command needs that variable too.
    const std::string splitValue = naming.isSplitByObjectHandler(record) ? "stval_" + baseName : std::string();
    const std::vector<EnvVarEntry> entries = signalVariableEntries(record, names, splitValue, splitTwoWordObjects);
    if (!enterVariables(database, entries, log)) return false;
    if (relations.isOpen()) writeRelationLine(relations, record, names.trigger, names.value);
  }
  return true;
}

void printNodeScriptSettings(const RunSettings& settings) {
  std::ostream& out = consoleOut();
  const int32_t mode = settings.generationMode();
  out << "Generation mode:       " << mode << " "
      << (mode == 1 ? "(tester node)" : "(simulated node extesnion)") << "\n";
  if (mode == 1) {
    out << "DUT node ID:           " << settings.dutNodeId() << "\n";
    out << "Tester node ID:        " << settings.testerNodeId() << "\n";
  }
  out << "DUT devcie name:       " << settings.dutName() << "\n";
  out << "Tester name:           " << settings.testerName() << "\n";
  out << "Generated database:    " << quoted(settings.databasePath()) << "\n";
  out << "Generated NOSL file:   " << quoted(settings.outputPath()) << "\n";
}

// Opens the relations file anew. A file that cannot be opened is reported
// and the run goes on without it. A symbolic link, a FIFO or a device at
// its path is left alone and counts as a file that cannot be opened: the
// run must not write where a link points, nor delete what it did not make.
void openRelationsFile(const std::string& path, TextStream& relations) {
  const PathKind kind = pathKindAt(path, false);
  if (kind != PathKind::Nothing && kind != PathKind::RegularFile) {
    printMessage("Relations file " + quoted(path) + " cannot be opened");
    return;
  }
  if (isReadableFile(path)) deleteFile(path);
  // Truncating: an old file that could not be deleted is rewritten, never
  // continued.
  if (relations.open(path, TextStream::Mode::Truncate)) {
    writeRelationsHeader(relations);
  } else {
    printMessage("Relations file " + quoted(path) + " cannot be opened");
  }
}

// The database part of modes 1 and 3: open or create, node variables,
// signal pass, not-used report, save.
bool fillDatabase(const RunSettings& settings, SignalTable& table, TextStream& relations,
                  TextStream& log) {
  const std::string databasePath = settings.databasePath();
  EnvVarDatabaseWriter database(settings.testerName());
  printMessage("Creating emtpty database " + quoted(databasePath) + "...");
  // Held until the database is saved: another run that extends it waits.
  // A run without the lock could save over another's variables: none
  // goes on without it.
  const auto waiting = [&databasePath] {
    printNow("Waiting for database " + quoted(databasePath) + " (another run is using it)...");
  };
  switch (database.lockDatabase(databasePath, waiting)) {
    case FileLock::Result::Locked:
      break;
    case FileLock::Result::Unusable:
      printNow("Lock file " + quoted(FileLock::lockPathOf(databasePath)) + " cannot be used");
      [[fallthrough]];
    case FileLock::Result::TimedOut:
      consoleOut() << "Database " << quoted(databasePath) << " cannot be opened\n" << std::flush;
      return false;
  }
  // The old database is not unlinked: a new, empty one replaces it when it
  // is saved, so a link to it stays a link, its owner and permissions stay,
  // a run that ends before saving leaves it as it was, and anything but a
  // regular file is refused, not deleted.
  if (settings.deleteDatabase()) printMessage("Deleting Database " + quoted(databasePath));
  switch (database.openOrCreateDatabase(databasePath, settings.deleteDatabase())) {
    case EnvVarDatabaseWriter::OpenResult::Opened:
    case EnvVarDatabaseWriter::OpenResult::Created:
      break;
    case EnvVarDatabaseWriter::OpenResult::OpenFailed:
      consoleOut() << "Database " << quoted(databasePath) << " cannot be opened\n";
      if (database.fileInUse()) consoleOut() << fileInUseText(databasePath) << "\n";
      consoleOut() << std::flush;
      if (!database.refusal().empty()) {
        printNow(database.refusal());
        log.write("Database " + quoted(databasePath) + " cannot be opened\n" + database.refusal() + "\n\n");
      }
      return false;
    case EnvVarDatabaseWriter::OpenResult::CreateFailed:
      consoleOut() << "Database " << quoted(databasePath) << " cannot be created\n" << std::flush;
      return false;
  }
  printMessage("Adding environmant variables to database " + quoted(databasePath) + "...");
  for (const std::string& warning : sharedNodeVariableWarnings(settings.dutName(), settings.testerName())) {
    printMessage(warning);
    log.write(warning + "\n\n");
  }
  if (!enterVariables(database, nodeVariableEntries(settings.dutName(), settings.testerName()), log)) {
    return false;
  }
  if (!runSignalPass(table, settings.splitWideObjects(), database, relations, log)) return false;
  writeKeptVariablesReport(database.keptVariables(), databasePath, log);
  // Every record of these modes is a command or a status signal, so the
  // list stays empty; the report is written all the same.
  writeSignalListReport(kNotUsedSignalsTitle, std::string(), log);
  printMessage("Saving database " + quoted(databasePath) + "...");
  if (!database.saveAndClose()) {
    printNow("Database " + quoted(databasePath) + " cannot be saved");
    return false;
  }
  if (database.savedOverOtherLinks()) {
    const std::string warning =
        "Warning: database " + quoted(databasePath) + " has other hard links; they keep the old contents";
    printMessage(warning);
    log.write(warning + "\n\n");
  }
  return true;
}

// Sorts the records into the mode 2 lists: header signals get macros; a
// record that would be one but for its reserved flag goes into no list.
void sortMacroSignals(const SignalTable& table, std::string& macroSignalText, std::string& notUsedText) {
  for (const ZListEntry& record : table) {
    if (isHeaderSignal(record)) {
      macroSignalText += listLine(record) + "\n";
      continue;
    }
    ZListEntry unreserved = record;
    unreserved.signalReserved = 0;
    if (!isHeaderSignal(unreserved)) notUsedText += listLine(record) + "\n";
  }
}

}  // namespace

bool openSheetAndLog(ZIniMapExcelSheetReader& reader, TextStream& log) {
  const std::string sheetPath = runSettings().sheetPath();
  const std::string logPath = logFilePath(sheetPath);
  std::ostream& out = consoleOut();
  out << "Used Excel sheet:      " << quoted(sheetPath) << "\n";
  printMessage("Error logging file:    " + quoted(logPath));
  if (!log.open(logPath, TextStream::Mode::Truncate)) {
    out << "Error opening error logging file " << quoted(logPath) << "\n";
    return false;
  }
  printMessage("Scanning Excel sheet " + quoted(sheetPath) + "...");
  const bool read = reader.read(sheetPath, columnMapPath(sheetPath), kSheetName);
  // A column map that names no column reads every value from column A, so
  // that no row counts as used: without this warning the run would end
  // "successfully" with no signal at all.
  if (reader.columnMapIsEmpty()) {
    const std::string warning = "Warning: ini file " + quoted(columnMapPath(sheetPath)) +
                                " has no entries in section \"XLSImport\"; every column is read from column A";
    printMessage(warning);
    log.write(warning + "\n\n");
  }
  if (read) return true;
  out << "Error opening Ecxel sheet " << quoted(sheetPath) << "\n";
  out << reader.errorText() << "\n";
  return false;
}

bool runNodeScriptGeneration(ZNoslFactoryInterface& factory, TextStream& log) {
  const RunSettings& settings = runSettings();
  ZIniMapExcelSheetReader reader(kColumnSetNodeScript);
  TextStream relations;
  openRelationsFile(relationsFilePath(settings.sheetPath()), relations);
  printNodeScriptSettings(settings);

  if (!outputPathIsUsable(settings.outputPath()) || !openSheetAndLog(reader, log)) return false;
  ZCoNosl447InteractionLayer generator(reader.signalTable());
  reportReading(reader, log);
  if (!prepareOutput(generator) || !fillDatabase(settings, reader.signalTable(), relations, log)) return false;

  const std::string outputPath = settings.outputPath();
  if (!clearOutputFile(outputPath)) return false;
  printMessage("Generating output file " + quoted(outputPath) + "...");
  if (!generateOutput(generator, factory)) return false;
  relations.close();
  log.close();
  return true;
}

bool runMacroGeneration(ZNoslFactoryInterface& factory, TextStream& log) {
  RunSettings& settings = runSettings();
  ZIniMapExcelSheetReader reader(kColumnSetMacros);
  const std::string outputPath = settings.outputPath();
  consoleOut() << "Generated output file: " << quoted(outputPath) << "\n";

  if (!outputPathIsUsable(outputPath) || !openSheetAndLog(reader, log)) return false;
  reportReading(reader, log);
  ZCoMacro447InteractionLayer generator(reader.signalTable());
  std::string macroSignalText;
  std::string notUsedText;
  sortMacroSignals(reader.signalTable(), macroSignalText, notUsedText);

  if (!prepareOutput(generator) || !clearOutputFile(outputPath)) return false;
  // The macro factory collects the oversized signals while it creates.
  const bool generated = generateOutput(generator, factory);
  const std::string oversizedSignals = settings.oversizedSignalList();
  settings.clearOversizedSignalList();
  if (!generated) return false;
  if (const auto* macros = dynamic_cast<const ZCANopenDS447MacrosFactory*>(&factory)) {
    for (const MacroRename& rename : macros->macroNaming().renames()) {
      const std::string warning = macroRenameWarning(rename);
      printMessage(warning);
      log.write(warning + "\n\n");
    }
  }
  writeSignalListReport(kMacroSignalsTitle, macroSignalText, log);
  writeSignalListReport(kOversizedSignalsTitle, oversizedSignals, log);
  writeSignalListReport(kNotUsedSignalsTitle, notUsedText, log);
  log.close();
  return true;
}

bool runGeneration() {
  const std::unique_ptr<ZNoslFactoryInterface> factory = createFactory(runSettings().generationMode());
  if (factory == nullptr || !factory->initialize()) return false;
  std::error_code error;
  const std::uintmax_t sheetBytes = std::filesystem::file_size(fileSystemPath(runSettings().sheetPath()), error);
  reserveHeapForRun(error ? 0 : static_cast<uint64_t>(sheetBytes));
  // The log outlives the run's other objects, so that it can still say why
  // the run ended when memory ran out: by then everything else is gone,
  // the temporary files removed and the database left as it was.
  TextStream log;
  try {
    if (runSettings().generationMode() == 2) return runMacroGeneration(*factory, log);
    return runNodeScriptGeneration(*factory, log);
  } catch (const std::bad_alloc&) {
    reportOutOfMemory(&log);
    return false;
  }
}

void reportOutOfMemory(TextStream* log) {
  consoleOut() << kOutOfMemory << "\n\n" << std::flush;
  if (log == nullptr) return;
  // The log may need memory for the message that is not there either.
  try {
    log->write(kOutOfMemory);
    log->write("\n\n");
  } catch (const std::bad_alloc&) {
  }
}
