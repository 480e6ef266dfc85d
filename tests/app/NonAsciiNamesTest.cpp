// File names with letters beyond ASCII (ä, Cyrillic, CJK): a run on a sheet,
// column map, database and output named so, in a directory named so,
// writes the same bytes as the run on ASCII names, apart from the names
// themselves. The tests hold the names in UTF-8; Windows gets them in
// UTF-16 at the system calls.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "TestSupport.h"

namespace {

using testsupport::CommandResult;
using testsupport::pathOf;
using testsupport::readFile;
using testsupport::runProgram;
using testsupport::TempDir;

namespace fs = std::filesystem;

// The names of one run: directory, sheet and column map, output, database.
struct Names {
  std::string directory, sheet, output, database;
};

const Names kAscii = {"folder", "signals", "out", "taxi"};
const Names kNonAscii = {"Ordner-папка-目录", "Signäle-Сигналы-信号", "Ausgabe-Вывод-出力", "Datenbank-База-数据"};

struct Mode {
  const char* name;
  std::vector<std::string> options;
  std::string extension;  // of the output
  bool nodeScript;        // a database and a relations file
};

std::vector<std::string> argumentsFor(const Mode& mode, const Names& names) {
  const std::string at = "./" + names.directory + "/";
  std::vector<std::string> arguments = mode.options;
  arguments.insert(arguments.end(),
                   {"-xls", at + names.sheet + ".csv", "-out", at + names.output + mode.extension, "-nme", "Taximeter"});
  if (mode.nodeScript) {
    arguments.push_back("-sdb");
    arguments.push_back(at + names.database + ".dbc");
  }
  return arguments;
}

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
  for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// The text with the non-ASCII names spelled as the ASCII ones.
std::string asAscii(std::string text) {
  const std::vector<std::pair<std::string, std::string>> pairs = {{kNonAscii.directory, kAscii.directory},
                                                                  {kNonAscii.sheet, kAscii.sheet},
                                                                  {kNonAscii.output, kAscii.output},
                                                                  {kNonAscii.database, kAscii.database}};
  for (const auto& [from, to] : pairs) text = replaceAll(text, from, to);
  return text;
}

// The header's include guard comes from the output's name, made an
// identifier: masked.
std::string withoutGuard(const std::string& text) {
  const std::string marker = "_COMPONENT_HEADER";
  const auto end = text.find(marker);
  const auto start = text.rfind("#ifndef ", end);
  if (end == std::string::npos || start == std::string::npos) return text;
  const std::string guard = text.substr(start + 8, end - start - 8);
  return guard.empty() ? text : replaceAll(text, guard + "_COMPONENT", "GUARD_COMPONENT");
}

// The names in a directory, sorted; the non-ASCII ones spelled as ASCII.
std::vector<std::string> sortedNames(const std::string& directory, bool spellAsAscii) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(pathOf(directory))) {
    const std::string name = entry.path().filename().u8string();
    names.push_back(spellAsAscii ? asAscii(name) : name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST(NonAsciiNames, RunWritesTheSameBytesAsOnAsciiNames) {
  const testsupport::ScopedEnvironment epoch("SOURCE_DATE_EPOCH", "1765000000");
  const std::vector<Mode> modes = {
      {"mode 1", {"-m", "1", "-id", "5", "-idt", "16", "-tme", "Tester"}, ".can", true},
      {"mode 2", {"-m", "2", "-tme", "Tester"}, ".h", false},
      {"mode 3", {"-m", "3", "-tme", "Tester"}, ".cin", true},
  };
  for (const Mode& mode : modes) {
    SCOPED_TRACE(mode.name);
    TempDir ascii, nonAscii;
    std::vector<CommandResult> results;
    for (const auto& [dir, names] : {std::make_pair(&ascii, kAscii), std::make_pair(&nonAscii, kNonAscii)}) {
      const std::string at = dir->file(names.directory) + "/";
      fs::create_directory(pathOf(at));
      fs::copy_file(pathOf(testsupport::dataPath("app/basic.csv")), pathOf(at + names.sheet + ".csv"));
      fs::copy_file(pathOf(testsupport::dataPath("app/basic.ini")), pathOf(at + names.sheet + ".ini"));
      results.push_back(runProgram(argumentsFor(mode, names), dir->path()));
      EXPECT_EQ(results.back().exitCode, 0) << results.back().output;
    }
    EXPECT_EQ(asAscii(results[1].output), results[0].output);
    const std::string asciiAt = ascii.file(kAscii.directory) + "/";
    const std::string nonAsciiAt = nonAscii.file(kNonAscii.directory) + "/";
    std::vector<std::pair<std::string, std::string>> files = {
        {kAscii.sheet + "_log.txt", kNonAscii.sheet + "_log.txt"},
        {kAscii.output + mode.extension, kNonAscii.output + mode.extension},
    };
    if (mode.nodeScript) {
      files.emplace_back(kAscii.database + ".dbc", kNonAscii.database + ".dbc");
      files.emplace_back("object_signal_relations.txt", "object_signal_relations.txt");
    }
    for (const auto& [asciiName, nonAsciiName] : files) {
      ASSERT_TRUE(testsupport::exists(nonAsciiAt + nonAsciiName)) << testsupport::listing(nonAsciiAt);
      const std::string expected = withoutGuard(readFile(asciiAt + asciiName));
      EXPECT_GT(expected.size(), 0u) << asciiName;
      EXPECT_TRUE(withoutGuard(asAscii(readFile(nonAsciiAt + nonAsciiName))) == expected) << nonAsciiName;
    }
    // Nothing else was written: no file under a name the system mangled.
    EXPECT_EQ(sortedNames(nonAsciiAt, true), sortedNames(asciiAt, false));
  }
}

}  // namespace
