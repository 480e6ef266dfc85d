#include "app/RunReports.h"

#include "util/Console.h"
#include "util/Paths.h"
#include "util/StringFormat.h"

const char* const kMacroSignalsTitle = "macros are generated for the following signals:";
const char* const kOversizedSignalsTitle = "signals bigger than 8 bit or passing byte boundaries:";
const char* const kNotUsedSignalsTitle = "signals not used:";

namespace {

const char* const kSignalListHeader = "INDEX    SUB    START    SIZE    SIGNAL NAME";

const char* const kNotReadHeading[] = {
    "Not readed objects:",
    "-------------------",
};

const char* const kRelationsHeader[] = {
    "Relations between objects and environment variables:",
    "----------------------------------------------------",
    "",
};

std::string sheetDirectory(const std::string& sheetPath) {
  const SplitPath parts = splitPath(sheetPath);
  return parts.drive + parts.directory;
}

}  // namespace

std::string columnMapPath(const std::string& sheetPath) {
  SplitPath parts = splitPath(sheetPath);
  parts.extension = ".ini";
  return joinPath(parts);
}

std::string logFilePath(const std::string& sheetPath) {
  return sheetDirectory(sheetPath) + splitPath(sheetPath).name + "_log" + ".txt";
}

std::string relationsFilePath(const std::string& sheetPath) {
  return sheetDirectory(sheetPath) + "object_signal_relations" + ".txt";
}

void writeSignalListReport(const std::string& title, const std::string& listText, TextStream& log) {
  const std::string block = "\n" + title + "\n" + std::string(title.size(), '-') + "\n" +
                            kSignalListHeader + "\n" + listText + "\n";
  consoleOut() << block;
  log.write(block);
}

void writeNotReadReport(const std::string& errorText, TextStream& log) {
  log.line();
  log.lines(kNotReadHeading);
  log.write(errorText + "\n");
  std::ostream& out = consoleOut();
  for (const char* text : kNotReadHeading) out << text << "\n";
  out << errorText << "\n";
}

void writeSheetWarnings(const std::vector<std::string>& warnings, TextStream& log) {
  if (warnings.empty()) return;
  std::string block;
  for (const std::string& warning : warnings) block += warning + "\n";
  block += "\n";
  consoleOut() << block;
  log.write(block);
}

void writeKeptVariablesReport(const std::vector<KeptVariable>& variables, const std::string& databasePath,
                              TextStream& log) {
  if (variables.empty()) return;
  std::string block;
  for (const KeptVariable& variable : variables) {
    block += "Warning: environment variable \"" + variable.name + "\" keeps " + describeAttributes(variable.kept) +
             "; the sheet needs " + describeAttributes(variable.needed) + "\n\n";
  }
  block += "Database \"" + databasePath +
           "\" keeps the variables above as they are: run with -deldb if it holds nothing else you need, "
           "or remove them from it\n\n";
  consoleOut() << block;
  log.write(block);
}

void writeRelationsHeader(TextStream& relations) { relations.lines(kRelationsHeader); }

void writeRelationLine(TextStream& relations, const ZListEntry& record,
                       const std::string& triggerVariable, const std::string& valueVariable) {
  // "0x%Xsub%-5X", then the variables.
  const std::string index = toUpperAscii(hexText(record.objectIndex));
  std::string subIndex = toUpperAscii(hexText(record.objectSubIndex));
  if (subIndex.size() < 5) subIndex.append(5 - subIndex.size(), ' ');
  relations.line("0x", index, "sub", subIndex, "\t", triggerVariable, "\t\t", valueVariable);
}
