#include "app/CommandLine.h"

#include <cctype>
#include <climits>
#include <cstdint>

#include "app/CommandLineOptions.h"
#include "app/FileRoles.h"
#include "app/VersionInfo.h"
#include "core/RunSettings.h"
#include "macros/LocalClock.h"
#include "util/Identifier.h"
#include "util/Paths.h"

namespace {

// The lines of the usage text; "@DELDB" and "@DEVICES" stand for the three
// -deldb lines and the virtual device lines, each followed by an empty line.
const char* const kUsageText[] = {
    "Use the following parameters to start the application:",
    "------------------------------------------------------",
    "",
    "   Mandatory parameters:",
    "   ---------------------",
    "   '-m   + value'   : The generation mode",
    "",
    "                               Possible values: 1 --> signal mapper for a tester node (standalone NOSL node)",
    "                                                2 --> macro extension for CANopen source code",
    "                                                3 --> signal mapper for a simulated node (include file",
    "                                                      for a simulated CANopen node)",
    "",
    "",
    "   Mandatory parameters for a tester node (mode 1):",
    "   ------------------------------------------------",
    "   '-id  + value'   : Node ID of device under test",
    "",
    "   '-idt + value'   : Node ID of of the test module",
    "",
    "   '-sdb + value'   : Path of the database to generate",
    "",
    "   '-xls + value'   : Path of the used Microsoft Excel sheet",
    "",
    "   '-out + value'   : Path of the file to generate (path extension: .can)",
    "",
    "   '-nme + value'   : Name of device under test",
    "",
    "   '-tme + value'   : Name of tester device",
    "",
    "",
    "   Optional parameters for a tester node (mode 1):",
    "   -----------------------------------------------",
    "@DELDB",
    "@DEVICES",
    "",
    "   Mandatory parameters for macro generation:",
    "   -----------------------------------------",
    "   '-xls + value'   : Path of the used Microsoft Excel sheet",
    "",
    "   '-out + value'   : Path of the file to generate (path extension: .h)",
    "",
    "",
    "   Optional parameters for macro generation:",
    "   -----------------------------------------",
    "   '-mex + value'   : Format specifier for variables > 32 bit",
    "",
    "",
    "   Mandatory parameters for a simulated node (mode 3):",
    "   ---------------------------------------------------",
    "   '-sdb + value'   : Path of the database to generate",
    "",
    "   '-deldb'         : Use it existing database has to be deleted",
    "",
    "   '-xls + value'   : Path of the used Microsoft Excel sheet",
    "",
    "   '-out + value'   : Path of the file to generate (path extension: .cin)",
    "",
    "   '-nme + value'   : Name of device under test",
    "",
    "   '-tme + value'   : Name of tester device",
    "",
    "",
    "   Optional parameters for a simulated node (mode 3):",
    "   --------------------------------------------------",
    "@DELDB",
    "",
};

const char* const kDeleteDatabaseLines[] = {
    "   '-deldb'         : Use if existing database has to be deleted. Attention: If signal descriptions",
    "   ...................have been changed, this parameter has to be used. Otherwise the old environment",
    "   ...................variables are still included within the database!",
};

// The paragraph the help adds after the usage text; "@MANUAL" stands for
// where this platform keeps the manual.
const char* const kHelpNotes[] = {
    "   Mode 2 needs '-nme' and '-tme' as well, although the sections above do not list them.",
    "   '-wide' (modes 1 and 3): read and command each signal of an object of 33 to 64 bits as a number of its own.",
    "   'co447gen --version' prints the version. The manual: @MANUAL.",
    "   Exit status: 0 output produced, 1 no arguments or a command-line error, 2 the generation run failed.",
    "",
};

constexpr std::size_t kOptionColumnWidth = 20;

// The message, a line end and an empty line; a hint goes in between.
void printError(std::ostream& out, const std::string& message, const std::string& hint = "") {
  out << errorPrefix() << message << "\n";
  if (!hint.empty()) out << hint << "\n";
  out << "\n";
}

// The value of the last occurrence of a valued option; "" when it is the last
// argument. Returns false when the option does not occur.
bool lookUpValue(const std::vector<std::string>& arguments, const std::string& option,
                 std::string& value) {
  bool found = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (arguments[i] != option) continue;
    value = i + 1 < arguments.size() ? arguments[i + 1] : std::string();
    found = true;
  }
  return found;
}

bool lookUpFlag(const std::vector<std::string>& arguments, const std::string& option) {
  for (const std::string& argument : arguments) {
    if (argument == option) return true;
  }
  return false;
}

void printMissing(std::ostream& out, const std::string& option) {
  printError(out, "missing parameter \"" + option + "\" (" + commandLineOption(option).description + ")");
}

void printInvalidNumber(std::ostream& out, const std::string& option, int32_t number) {
  printError(out, "invalid parameter value (\"" + std::to_string(number) + "\") for parameter \"" + option +
                      "\" (" + commandLineOption(option).description + ")");
}

// Looks up -id / -idt and checks the range 1..16.
bool parseNodeId(const std::vector<std::string>& arguments, const std::string& option,
                 int32_t& nodeId, std::ostream& out) {
  std::string value;
  if (!lookUpValue(arguments, option, value)) {
    printMissing(out, option);
    return false;
  }
  nodeId = atoiLike(value);
  if (nodeId < 1 || nodeId > 16) {
    printInvalidNumber(out, option, nodeId);
    return false;
  }
  return true;
}

// A name the file system cannot take (Windows): one that names an
// alternate data stream of a file ("o.can:x"), in every file option, and
// for a file the run makes (madeByRun) one that holds a character Windows
// forbids in names. Such a run would fail only once it wrote, modes 1 and
// 3 after saving the database.
bool checkFileName(const std::string& path, const std::string& option, const std::string& description,
                   bool madeByRun, std::ostream& out) {
  const std::string named = "file name \"" + path + "\" specified in parameter \"" + option + "\" (" + description + ")";
  switch (fileNameFault(path)) {
    case FileNameFault::None:
      break;
    case FileNameFault::DataStream:
      printError(out, named + " names an alternate data stream (\":\" after the drive)");
      return false;
    case FileNameFault::ForbiddenCharacter:
      if (!madeByRun) break;
      printError(out, named + " holds a character that Windows does not allow in a name (< > \" | ? * or a control "
                              "character)");
      return false;
  }
  return true;
}

// Looks up -sdb / -out and checks that the name can be made and that the
// directory part names an existing directory. A bare file name gets a hint
// after the message: the current directory has to be named.
bool parsePathInExistingDirectory(const std::vector<std::string>& arguments,
                                  const std::string& option, std::string& path, std::ostream& out) {
  const std::string description = commandLineOption(option).description;
  if (!lookUpValue(arguments, option, path)) {
    printMissing(out, option);
    return false;
  }
  if (!checkFileName(path, option, description, true, out)) return false;
  const SplitPath parts = splitPath(path);
  const std::string directory = parts.drive + parts.directory;
  if (directory.empty() || pathKindAt(directory, true) != PathKind::Directory) {
    const std::string hint = directory.empty() && !path.empty()
                                 ? "give \"." + std::string(1, kDirectorySeparator) + path +
                                       "\" for a file in the current directory"
                                 : "";
    printError(out,
               "directory \"" + directory + "\" specified in parameter \"" + option + "\" (" + description +
                   ") does not exist",
               hint);
    return false;
  }
  return true;
}

// Applies every occurrence of -nme / -tme in order. An occurrence whose
// sanitised value is empty is reported and leaves the name unchanged.
bool parseName(const std::vector<std::string>& arguments, const std::string& option,
               std::string& name, std::ostream& out) {
  const std::string description = commandLineOption(option).description;
  bool found = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (arguments[i] != option) continue;
    found = true;
    const std::string value = i + 1 < arguments.size() ? arguments[i + 1] : std::string();
    const std::string sanitized = sanitizeIdentifier(value, "");
    if (sanitized.empty()) {
      printError(out, "invalid parameter value for parameter \"" + option + "\" (" + description + ")");
    } else {
      name = sanitized;
    }
  }
  if (!found) {
    printMissing(out, option);
    return false;
  }
  return true;
}

}  // namespace

void printBanner(std::ostream& out) {
  const std::string rule(76, '-');
  out << "\n"
      << rule << "\n"
      << "    " << versionText("FileDescription") << "\n"
      << "    " << versionText("LegalCopyright") << " " << versionText("CompanyName") << "\n"
      << rule << "\n"
      << "\n";
}

void printUsage(std::ostream& out) {
  for (const char* line : kUsageText) {
    const std::string text = line;
    if (text == "@DELDB") {
      for (const char* deldb : kDeleteDatabaseLines) out << deldb << "\n\n";
    } else if (text == "@DEVICES") {
      for (const VirtualDeviceOption& device : kVirtualDeviceOptions) {
        std::string column = std::string("   '") + device.option + "'";
        if (column.size() < kOptionColumnWidth) column.resize(kOptionColumnWidth, ' ');
        out << column << ": Virtual device \"" << device.usageName << "\" supported\n\n";
      }
    } else {
      out << text << "\n";
    }
  }
}

void printHelpNotes(std::ostream& out) {
  for (const char* line : kHelpNotes) {
    std::string text = line;
    const std::size_t manual = text.find("@MANUAL");
    if (manual != std::string::npos) text.replace(manual, 7, kManualPointer);
    out << text << "\n";
  }
}

int32_t atoiLike(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<int64_t>(INT32_MAX) + 1) value = static_cast<int64_t>(INT32_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT32_MAX) value = INT32_MAX;
  return static_cast<int32_t>(value);
}

bool parseCommandLine(const std::vector<std::string>& arguments, RunSettings& settings,
                      std::ostream& out) {
  std::string value;
  // 1, 2: generation mode
  if (!lookUpValue(arguments, "-m", value)) {
    printMissing(out, "-m");
    return false;
  }
  const int32_t mode = atoiLike(value);
  settings.setGenerationMode(mode);
  if (mode < 1 || mode > 3) {
    printInvalidNumber(out, "-m", mode);
    return false;
  }

  // 3: flags and the wide-value format of -mex
  if (lookUpFlag(arguments, "-deldb")) settings.setDeleteDatabase(true);
  if (lookUpValue(arguments, "-mex", value)) settings.setWideValueFormat(value);
  for (int device = 0; device < kVirtualDeviceCount; ++device) {
    if (lookUpFlag(arguments, kVirtualDeviceOptions[static_cast<std::size_t>(device)].option)) {
      settings.setVirtualDevice(static_cast<VirtualDevice>(device), true);
    }
  }
  // Accepted in every mode; mode 2 has nothing it changes.
  if (lookUpFlag(arguments, "-wide")) settings.setSplitWideObjects(true);

  // 4, 5: node ids (tester node only)
  if (mode == 1) {
    int32_t nodeId = 0;
    if (!parseNodeId(arguments, "-id", nodeId, out)) return false;
    settings.setDutNodeId(nodeId);
    if (!parseNodeId(arguments, "-idt", nodeId, out)) return false;
    settings.setTesterNodeId(nodeId);
  }

  // 6: signal database (node scripts only)
  if (mode == 1 || mode == 3) {
    std::string path;
    if (!parsePathInExistingDirectory(arguments, "-sdb", path, out)) return false;
    settings.setDatabasePath(path);
  }

  // 7: signal description sheet
  if (!lookUpValue(arguments, "-xls", value)) {
    printMissing(out, "-xls");
    return false;
  }
  if (!checkFileName(value, "-xls", "signal description file", false, out)) return false;
  settings.setSheetPath(value);

  // 8: output file
  std::string outputPath;
  if (!parsePathInExistingDirectory(arguments, "-out", outputPath, out)) return false;
  settings.setOutputPath(outputPath);

  // 9, 10: names
  std::string name = settings.dutName();
  if (!parseName(arguments, "-nme", name, out)) return false;
  settings.setDutName(name);
  name = settings.testerName();
  if (!parseName(arguments, "-tme", name, out)) return false;
  settings.setTesterName(name);

  // 11: -me wins over -mex because it is looked up last
  if (lookUpValue(arguments, "-me", value)) settings.setWideValueFormat(value);

  // No file may play two roles in the run.
  if (!checkFileRoles(settings, out)) return false;

  // The header's generation moment: a build that fixes it with a value
  // that is no moment must not get a header of some other moment.
  std::string epoch;
  long long seconds = 0;
  if (mode == 2 && readSourceDateEpoch(epoch, seconds) == SourceDateEpoch::Malformed) {
    printError(out, "SOURCE_DATE_EPOCH \"" + epoch + "\" is not a whole number of seconds from 0 to " +
                        std::to_string(kLatestSourceDateEpoch));
    return false;
  }
  return true;
}
