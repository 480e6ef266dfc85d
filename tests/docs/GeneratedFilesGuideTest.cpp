// The C examples of docs/generated-files.md, so that the guide stays true:
// each is compiled in strict C99 against the header generated from an
// excerpt of the bundled example sheet (tests/data/guide), run, and must
// print what the guide shows after it.
//
// In the guide an example is a ```c block right after the line
// "<!-- compiled example: NAME -->", its output the next fenced block right
// after "<!-- output: NAME -->". Every ```c block of the guide must be one.
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "TestSupport.h"

namespace {

using testsupport::readFile;
using testsupport::runCommand;
using testsupport::runProgram;
using testsupport::shellQuote;
using testsupport::TempDir;
using testsupport::writeFile;

const std::string kGuide = std::string(CO447GEN_SOURCE_DIR) + "/docs/generated-files.md";

struct GuideExample {
  std::string code;
  std::string output;
  bool hasOutput = false;
};

// The marked examples and outputs of the guide, by name. False, with the
// reason, when a marker is not followed by a fenced block, a name is used
// twice, or a ```c block is not marked.
bool readExamples(const std::string& markdown, std::map<std::string, GuideExample>& examples, std::string& error) {
  const std::string codeMarker = "<!-- compiled example: ";
  const std::string outputMarker = "<!-- output: ";
  std::vector<std::string> lines;
  std::istringstream in(markdown);
  for (std::string line; std::getline(in, line);) lines.push_back(line);

  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    const bool code = line.rfind(codeMarker, 0) == 0;
    const bool output = line.rfind(outputMarker, 0) == 0;
    if (line == "```c") {
      error = "line " + std::to_string(i + 1) + ": a C block without \"" + codeMarker + "NAME -->\"";
      return false;
    }
    if (!code && !output) continue;
    const std::size_t nameStart = (code ? codeMarker : outputMarker).size();
    const std::size_t nameEnd = line.find(" -->", nameStart);
    if (nameEnd == std::string::npos) {
      error = "line " + std::to_string(i + 1) + ": a marker without its end";
      return false;
    }
    const std::string name = line.substr(nameStart, nameEnd - nameStart);
    const std::string fence = code ? "```c" : "```text";
    if (i + 1 >= lines.size() || lines[i + 1] != fence) {
      error = "line " + std::to_string(i + 1) + ": " + name + " is not followed by " + fence;
      return false;
    }
    std::string block;
    std::size_t end = i + 2;
    for (; end < lines.size() && lines[end] != "```"; ++end) block += lines[end] + "\n";
    if (end == lines.size()) {
      error = name + ": the block does not end";
      return false;
    }
    GuideExample& example = examples[name];
    if (code ? !example.code.empty() : example.hasOutput) {
      error = name + " is marked twice";
      return false;
    }
    (code ? example.code : example.output) = block;
    if (output) example.hasOutput = true;
    i = end;
  }
  return true;
}

TEST(GeneratedFilesGuide, ReadingTheMarkedExamples) {
  struct Case {
    const char* what;
    std::string markdown;
    const char* error;  // "" when it reads
  };
  const std::vector<Case> cases = {
      {"example and output", "<!-- compiled example: a -->\n```c\nint x;\n```\n<!-- output: a -->\n```text\n1\n```\n", ""},
      {"an unmarked C block", "```c\nint x;\n```\n", "line 1: a C block without \"<!-- compiled example: NAME -->\""},
      {"a marker before another fence", "<!-- compiled example: a -->\n```\nint x;\n```\n",
       "line 1: a is not followed by ```c"},
      {"an unended block", "<!-- output: a -->\n```text\n1\n", "a: the block does not end"},
      {"a name used twice", "<!-- output: a -->\n```text\n1\n```\n<!-- output: a -->\n```text\n2\n```\n",
       "a is marked twice"},
  };
  for (const Case& c : cases) {
    std::map<std::string, GuideExample> examples;
    std::string error;
    EXPECT_EQ(readExamples(c.markdown, examples, error), std::string(c.error).empty()) << c.what;
    EXPECT_EQ(error, c.error) << c.what;
  }
}

TEST(GeneratedFilesGuide, CExamplesCompileAndPrintWhatTheGuideShows) {
  std::map<std::string, GuideExample> examples;
  std::string error;
  ASSERT_TRUE(readExamples(readFile(kGuide), examples, error)) << kGuide << ": " << error;
  ASSERT_GE(examples.size(), 3u);
  for (const auto& [name, example] : examples) {
    EXPECT_FALSE(example.code.empty()) << name << " has an output but no code";
    EXPECT_TRUE(example.hasOutput) << name << " has no output";
  }
  if (runCommand("command -v cc").exitCode != 0) GTEST_SKIP() << "no C compiler (cc)";

  TempDir dir;
  for (const char* file : {"ds447-taxi-signals.csv", "ds447-taxi-signals.ini"}) {
    writeFile(dir.file(file), readFile(testsupport::dataPath(std::string("guide/") + file)));
  }
  const auto run = runProgram({"-m", "2", "-xls", "./ds447-taxi-signals.csv", "-out", "./ds447-taxi-macros.h", "-nme",
                               "Taximeter", "-tme", "Tester", "-mex", "ULL"},
                              dir.path());
  ASSERT_EQ(run.exitCode, 0) << run.output;

  for (const auto& [name, example] : examples) {
    writeFile(dir.file(name + ".c"), example.code);
    const auto compile = runCommand("cd " + shellQuote(dir.path()) +
                                    " && cc -std=c99 -Wall -Wextra -pedantic -Werror -o " + shellQuote(name) + " " +
                                    shellQuote(name + ".c"));
    EXPECT_EQ(compile.exitCode, 0) << name << ":\n" << compile.output;
    if (compile.exitCode != 0) continue;
    const auto ran = runCommand("cd " + shellQuote(dir.path()) + " && ./" + shellQuote(name));
    EXPECT_EQ(ran.exitCode, 0) << name;
    EXPECT_EQ(ran.output, example.output) << name;
  }
}

// The guide's excerpt of the relations file: its heading as the file starts,
// then lines the file of the bundled example holds.
TEST(GeneratedFilesGuide, RelationsExcerptIsTheExamplesFile) {
  const std::string guide = readFile(kGuide);
  const std::size_t start = guide.find("```\nRelations between objects");
  ASSERT_NE(start, std::string::npos) << "the guide shows no relations file with its heading";
  std::istringstream excerpt(guide.substr(start + 4, guide.find("```", start + 4) - start - 4));
  TempDir dir;
  for (const char* file : {"ds447-taxi-signals.xlsx", "ds447-taxi-signals.ini"}) {
    writeFile(dir.file(file), readFile(std::string(CO447GEN_SOURCE_DIR) + "/examples/" + file));
  }
  const auto run = runProgram({"-m", "3", "-sdb", "./n.dbc", "-xls", "./ds447-taxi-signals.xlsx", "-out", "./n.cin",
                               "-nme", "Taximeter", "-tme", "Tester"},
                              dir.path());
  ASSERT_EQ(run.exitCode, 0) << run.output;
  const std::string written = readFile(dir.file("object_signal_relations.txt"));
  std::string heading;
  int number = 0;
  for (std::string line; std::getline(excerpt, line); ++number) {
    if (number < 3) {
      heading += line + "\r\n";
    } else {
      EXPECT_NE(written.find("\n" + line + "\r\n"), std::string::npos) << line;
    }
  }
  EXPECT_GT(number, 3);
  EXPECT_EQ(written.rfind(heading, 0), 0u) << heading;
}

}  // namespace
