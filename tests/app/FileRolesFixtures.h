// What the tests of the file roles share: a work directory with a sheet,
// its column map and log and a database, command lines of modes 1 and 2,
// and what the command line says of them.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "app/CommandLine.h"
#include "core/RunSettings.h"

namespace rolefixtures {

inline const std::string kPrefix = "Error executing co447gen: ";

// The sheet s.xlsx with its column map s.ini and log s_log.txt, and an
// existing database in a directory of its own.
struct Files {
  testsupport::TempDir dir;
  Files() {
    std::filesystem::create_directory(dir.file("db"));
    testsupport::writeFile(dir.file("s.xlsx"), "sheet");
    testsupport::writeFile(dir.file("s.ini"), "[XLSImport]\n");
    testsupport::writeFile(dir.file("s_log.txt"), "old log");
    testsupport::writeFile(dir.file("db/taxi.dbc"), "");
  }
  std::string at(const std::string& name) const { return dir.file(name); }
};

// What the command line prints for the arguments: "" when they pass.
inline std::string parse(const std::vector<std::string>& arguments) {
  RunSettings settings;
  std::ostringstream out;
  const bool ok = parseCommandLine(arguments, settings, out);
  EXPECT_EQ(ok, out.str().empty()) << out.str();
  return out.str();
}

inline std::vector<std::string> mode1(const std::string& sheet, const std::string& database,
                                      const std::string& output) {
  return {"-m", "1", "-id", "5", "-idt", "6", "-sdb", database, "-xls", sheet, "-out", output, "-nme", "A", "-tme", "B"};
}
inline std::vector<std::string> mode2(const std::string& sheet, const std::string& output) {
  return {"-m", "2", "-xls", sheet, "-out", output, "-nme", "A", "-tme", "B"};
}

// Arguments and what the command line says of them: the message without
// the prefix and the line ends, "" when they pass.
struct Case {
  const char* what;
  std::vector<std::string> arguments;
  std::string message;
};
inline void expectMessages(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    const std::string expected = c.message.empty() ? "" : kPrefix + c.message + "\n\n";
    EXPECT_EQ(parse(c.arguments), expected) << c.what;
  }
}

}  // namespace rolefixtures
