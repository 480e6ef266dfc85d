// Compiles a C program against a generated header and runs it: every macro
// must agree with a bit-by-bit reference on many values. The program is
// strict C99, so the header itself must compile without a warning.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "MacroTestSupport.h"
#include "TestSupport.h"
#include "core/RunSettings.h"
#include "framework/ZGenerator.h"
#include "macros/ZCANopenDS447MacrosFactory.h"
#include "util/StringFormat.h"

namespace {

using testsupport::runCommand;
using testsupport::shellQuote;

const char* const kProgramHead[] = {
    "#include <stdint.h>",
    "#include <stdio.h>",
    "#include \"macros.h\"",
    "",
    "static uint64_t state = 0x9e3779b97f4a7c15ULL;",
    "static unsigned long checked = 0;",
    "static int failures = 0;",
    "",
    "static uint64_t next(void) {",
    "  state ^= state << 13;",
    "  state ^= state >> 7;",
    "  state ^= state << 17;",
    "  return state;",
    "}",
    "",
    "/* The signal's bits, collected one by one. */",
    "static uint64_t referenceGet(uint64_t object, int offset, int size) {",
    "  uint64_t result = 0;",
    "  int i;",
    "  for (i = 0; i < size; ++i) result |= ((object >> (offset + i)) & 1u) << i;",
    "  return result;",
    "}",
    "",
    "/* The object with the signal's bits replaced one by one by those of value. */",
    "static uint64_t referenceSet(uint64_t object, int offset, int size, uint64_t value) {",
    "  int i;",
    "  for (i = 0; i < size; ++i) {",
    "    const uint64_t bit = (uint64_t)1 << (offset + i);",
    "    object = ((value >> i) & 1u) ? (object | bit) : (object & ~bit);",
    "  }",
    "  return object;",
    "}",
    "",
    "/* Most significant byte first, as the character-array macros expect it. */",
    "static void toBytes(uint64_t object, unsigned char* bytes, int count) {",
    "  int i;",
    "  for (i = 0; i < count; ++i) bytes[i] = (unsigned char)(object >> (8 * (count - 1 - i)));",
    "}",
    "",
    "static uint64_t fromBytes(const unsigned char* bytes, int count) {",
    "  uint64_t object = 0;",
    "  int i;",
    "  for (i = 0; i < count; ++i) object = (object << 8) | bytes[i];",
    "  return object;",
    "}",
    "",
    "static void expect(const char* macro, uint64_t object, uint64_t value, uint64_t got, uint64_t want) {",
    "  ++checked;",
    "  if (got == want) return;",
    "  if (++failures <= 20) {",
    "    printf(\"%s: object 0x%llx value 0x%llx gives 0x%llx, expected 0x%llx\\n\", macro,",
    "           (unsigned long long)object, (unsigned long long)value, (unsigned long long)got,",
    "           (unsigned long long)want);",
    "  }",
    "}",
    "",
    "int main(void) {",
    "  int round;",
    "  for (round = 0; round < 3000; ++round) {",
};
const char* const kProgramEnd[] = {
    "  }",
    "  printf(\"checked %lu\\n\", checked);",
    "  return failures == 0 ? 0 : 1;",
    "}",
};

// The names of the macros a translation unit defines beyond the compiler's
// own, as "cc -E -dM" lists them.
std::set<std::string> definedNames(const std::string& compiler, const std::string& source) {
  const testsupport::CommandResult listed = runCommand(compiler + " -E -dM " + shellQuote(source));
  EXPECT_EQ(listed.exitCode, 0) << listed.output;
  std::set<std::string> names;
  std::istringstream lines(listed.output);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.rfind("#define ", 0) != 0) continue;
    names.insert(line.substr(8, line.find_first_of(" (", 8) - 8));
  }
  return names;
}

const char* typeOfObject(int32_t objectSize) {
  if (objectSize <= 8) return "uint8_t";
  if (objectSize <= 16) return "uint16_t";
  if (objectSize <= 32) return "uint32_t";
  return "uint64_t";
}

// The checks of one signal inside the round loop.
std::string signalChecks(const ZListEntry& record, const std::string& name) {
  const int32_t size = record.objectSize;
  const std::string type = typeOfObject(size);
  const std::string objectMask = size >= 64 ? "~(uint64_t)0" : strFormat("(((uint64_t)1 << %d) - 1)", size);
  const std::string where = strFormat("%d, %d", record.signalOffset, record.signalSize);
  const std::string label = strFormat("0x%xsub%x", record.objectIndex, record.objectSubIndex);
  std::string text = "  {\n";
  text += "    const uint64_t object = next() & " + objectMask + ";\n";
  text += "    const uint64_t value = next() & " + objectMask + ";\n";
  text += "    " + type + " u = (" + type + ")object;\n";
  text += "    " + type + " newValue = (" + type + ")value;\n";
  text += "    expect(\"sxu_" + name + "\", object, 0, (uint64_t)sxu_" + name + "_" + label +
          "(u), referenceGet(object, " + where + "));\n";
  text += "    siu_" + name + "_" + label + "(u, newValue);\n";
  text += "    expect(\"siu_" + name + "\", object, value, (uint64_t)u, referenceSet(object, " + where +
          ", value));\n";
  if (liesInOneByte(record)) {
    const std::string bytes = std::to_string(size / 8);
    text += "    {\n";
    text += "      unsigned char c[" + bytes + "];\n";
    text += "      toBytes(object, c, " + bytes + ");\n";
    text += "      expect(\"sxc_" + name + "\", object, 0, (uint64_t)sxc_" + name + "_" + label +
            "(c), referenceGet(object, " + where + "));\n";
    text += "      sic_" + name + "_" + label + "(c, newValue);\n";
    text += "      expect(\"sic_" + name + "\", object, value, fromBytes(c, " + bytes +
            "), referenceSet(object, " + where + ", value));\n";
    text += "    }\n";
  }
  text += "  }\n";
  return text;
}

// Objects of 8, 16, 32 and 64 bits; signals in one byte (all four macros)
// and across bytes (unsigned-variable macros only), at both ends of the
// object and over all of it.
SignalTable varietyTable() {
  struct Spot {
    int32_t objectSize, offset, size;
  };
  const std::vector<Spot> spots = {
      {8, 0, 8},    {8, 0, 1},    {8, 7, 1},    {8, 2, 5},    {16, 0, 16},  {16, 0, 8},   {16, 8, 8},
      {16, 6, 4},   {16, 15, 1},  {16, 9, 3},   {32, 0, 32},  {32, 0, 8},   {32, 24, 8},  {32, 12, 4},
      {32, 4, 8},   {32, 31, 1},  {32, 7, 20},  {32, 16, 3},  {64, 0, 64},  {64, 0, 40},  {64, 3, 4},
      {64, 56, 8},  {64, 63, 1},  {64, 32, 32}, {64, 29, 6},  {64, 40, 8},  {64, 17, 33}, {64, 48, 5},
  };
  SignalTable table;
  for (std::size_t i = 0; i < spots.size(); ++i) {
    const Spot& spot = spots[i];
    ZListEntry record = macrotest::headerSignal("Signal " + std::to_string(i))
                            .object(0x6100 + static_cast<uint32_t>(spot.objectSize), 1, spot.objectSize)
                            .bits(spot.offset, spot.size);
    table.add(record);
  }
  return table;
}

// Generates the header of the table, and a program that checks every
// signal's macros against the bit reference, into dir; names[i] is the
// identifier of record i in its macro names. Compiles and runs it.
void expectMacrosAgreeWithBitReference(const SignalTable& table, const std::vector<std::string>& names) {
  testsupport::TempDir dir;
  RunSettings settings;
  settings.setOutputPath(dir.file("macros.h"));
  settings.setWideValueFormat("ULL");  // -mex ULL
  ScopedRunSettings scoped(settings);

  ZCANopenDS447MacrosFactory factory;
  ZCoMacro447InteractionLayer generator(table);
  ASSERT_TRUE(generator.createFunctions(&generator, &factory));
  ASSERT_TRUE(generator.writeFunctions(&generator, &factory));

  TextStream program;
  program.lines(kProgramHead);
  std::size_t macroCount = 0;
  for (std::size_t i = 0; i < table.count(); ++i) {
    program.write(signalChecks(table.at(i), names[i]));
    macroCount += liesInOneByte(table.at(i)) ? 4 : 2;
  }
  program.lines(kProgramEnd);
  testsupport::writeFile(dir.file("check.c"), program.contents());

  const testsupport::CommandResult compiled =
      runCommand("cc -std=c99 -Wall -Wextra -Werror -pedantic -o " + shellQuote(dir.file("check")) + " " +
                 shellQuote(dir.file("check.c")));
  ASSERT_EQ(compiled.exitCode, 0) << compiled.output;
  const testsupport::CommandResult run = runCommand(shellQuote(dir.file("check")));
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.output, "checked " + std::to_string(macroCount * 3000) + "\n");
}

TEST(MacroCompile, GeneratedMacrosAgreeWithBitReference) {
  if (runCommand("command -v cc").exitCode != 0) GTEST_SKIP() << "no C compiler";
  const SignalTable table = varietyTable();
  std::vector<std::string> names;
  for (std::size_t i = 0; i < table.count(); ++i) names.push_back("signal_" + std::to_string(i));
  expectMacrosAgreeWithBitReference(table, names);
}

// Short names that give one identifier in one object: without renaming the
// header defines the same macros twice (an error under -Werror) and the
// later signal's bits replace the earlier one's.
TEST(MacroCompile, SignalsSharingAShortNameKeepTheirOwnBits) {
  if (runCommand("command -v cc").exitCode != 0) GTEST_SKIP() << "no C compiler";
  SignalTable table;
  table.add(macrotest::headerSignal("Dup").object(0x6001, 0, 16).bits(0, 4));
  table.add(macrotest::headerSignal("dup").object(0x6001, 0, 16).bits(9, 7));
  table.add(macrotest::headerSignal("DUP").object(0x6001, 0, 16).bits(9, 7));
  table.add(macrotest::headerSignal("dup_pos9").object(0x6001, 0, 16).bits(4, 2));
  table.add(macrotest::headerSignal("dup").object(0x6002, 0, 32).bits(0, 8));
  expectMacrosAgreeWithBitReference(table, {"dup_pos0", "dup_pos9_2", "dup_pos9_3", "dup_pos9", "dup"});
}

// Sheet texts and the output path stand in comments of the header. Texts
// made of "*", backslashes, "??/", "/", blanks and line breaks (every one
// of up to four pieces, and longer random ones), each followed by a line
// that defines a macro should a comment have ended, must leave a header
// that compiles without a warning and defines only its own macros, with
// trigraphs (C99) and without them (GNU C). The header lies in a directory
// whose name ends in "*", so that the path in its file comment holds "*/".
TEST(MacroCompile, SheetTextsAndOutputPathCannotEndAComment) {
  if (runCommand("command -v cc").exitCode != 0) GTEST_SKIP() << "no C compiler";
  const std::vector<std::string> pieces = {"*", "\\", "?\?/", "/", "\n", "\r", " "};
  std::vector<std::string> texts;
  std::vector<std::string> shorter = {""};
  for (int length = 1; length <= 4; ++length) {
    std::vector<std::string> longer;
    for (const std::string& head : shorter) {
      for (const std::string& piece : pieces) longer.push_back(head + piece);
    }
    texts.insert(texts.end(), longer.begin(), longer.end());
    shorter = std::move(longer);
  }
  std::mt19937 random(447);
  for (int i = 0; i < 2000; ++i) {
    std::string text;
    for (int n = 5 + static_cast<int>(random() % 12); n > 0; --n) text += pieces[random() % pieces.size()];
    texts.push_back(text);
  }

  SignalTable table;
  std::set<std::string> expected = {"MACROS_COMPONENT_HEADER", "MACROS_COMPONENT_VERSION",
                                    "MACROS_COMPONENT_RELEASEVERSION"};
  for (std::size_t i = 0; i < texts.size(); ++i) {
    // 16-bit signals: only the two unsigned-variable macros.
    const uint32_t index = 0x6000 + static_cast<uint32_t>(i / 200);
    const uint32_t subIndex = 1 + static_cast<uint32_t>(i % 200);
    const std::string shortName = "s" + std::to_string(i);
    table.add(macrotest::headerSignal(shortName)
                  .name(texts[i] + "\n#define INJECTED_SIGNAL 1\n")
                  .objectName(texts[i] + "\n#define INJECTED_OBJECT 1\n")
                  .object(index, subIndex, 16)
                  .bits(0, 16));
    const std::string suffix = shortName + strFormat("_0x%xsub%x", index, subIndex);
    expected.insert("sxu_" + suffix);
    expected.insert("siu_" + suffix);
  }

  testsupport::TempDir dir;
  std::filesystem::create_directory(dir.file("out*"));
  RunSettings settings;
  settings.setOutputPath(dir.file("out*/macros.h"));
  ScopedRunSettings scoped(settings);
  ZCANopenDS447MacrosFactory factory;
  ZCoMacro447InteractionLayer generator(table);
  ASSERT_TRUE(generator.createFunctions(&generator, &factory));
  ASSERT_TRUE(generator.writeFunctions(&generator, &factory));
  const std::string header = testsupport::readFile(settings.outputPath());
  EXPECT_NE(header.find("  \\file " + dir.path() + "/out* /macros.h\r\n"), std::string::npos);

  testsupport::writeFile(dir.file("check.c"), "#include \"out*/macros.h\"\nint headerCompiled;\n");
  testsupport::writeFile(dir.file("empty.c"), "int nothing;\n");
  // A header that went wrong gives errors by the thousand; the first few tell.
  const bool clang = runCommand("cc -dM -E -x c /dev/null").output.find("__clang__") != std::string::npos;
  const std::string errorLimit = clang ? " -ferror-limit=10" : " -fmax-errors=10";
  for (const std::string standard : {"-std=c99", "-std=gnu99"}) {
    SCOPED_TRACE(standard);
    const std::string compiler = "cc " + standard + " -Wall -Wextra -pedantic -Werror" + errorLimit;
    const testsupport::CommandResult compiled =
        runCommand(compiler + " -fsyntax-only " + shellQuote(dir.file("check.c")));
    EXPECT_EQ(compiled.exitCode, 0) << compiled.output.substr(0, 2000);
    std::set<std::string> defined = definedNames(compiler, dir.file("check.c"));
    for (const std::string& own : definedNames(compiler, dir.file("empty.c"))) defined.erase(own);
    EXPECT_EQ(defined, expected);
  }
}

// A bidirectional control character in a sheet text would make the header
// read otherwise than it compiles; compilers warn about one that is not
// closed again. Each of them, alone in a signal name, an object name and
// the output path, is written as its code point.
TEST(MacroCompile, BidirectionalControlsAreWrittenAsCodePoints) {
  const struct {
    const char* utf8;
    const char* shown;
  } controls[] = {
      {"\u202A", "<U+202A>"}, {"\u202B", "<U+202B>"}, {"\u202C", "<U+202C>"}, {"\u202D", "<U+202D>"},
      {"\u202E", "<U+202E>"}, {"\u2066", "<U+2066>"}, {"\u2067", "<U+2067>"}, {"\u2068", "<U+2068>"},
      {"\u2069", "<U+2069>"}, {"\u200E", "<U+200E>"}, {"\u200F", "<U+200F>"}, {"\u061C", "<U+061C>"},
  };
  std::vector<std::string> compilers;
  for (const char* compiler : {"gcc", "clang"}) {
    if (runCommand(std::string("command -v ") + compiler).exitCode == 0) compilers.push_back(compiler);
  }
  if (compilers.empty()) GTEST_SKIP() << "neither gcc nor clang is installed";
  for (const auto& control : controls) {
    SCOPED_TRACE(control.shown);
    testsupport::TempDir dir;
    const std::string directory = dir.file(std::string("out") + control.utf8);
    std::filesystem::create_directory(directory);
    RunSettings settings;
    settings.setOutputPath(directory + "/macros.h");
    ScopedRunSettings scoped(settings);
    SignalTable table;
    table.add(macrotest::headerSignal("s")
                  .name(std::string("Taxi ") + control.utf8 + "State")
                  .objectName(std::string(control.utf8) + "Taximeter")
                  .object(0x6000, 1, 8)
                  .bits(0, 8));
    const std::string header = macrotest::generateHeader(table);
    EXPECT_EQ(header.find(control.utf8), std::string::npos);
    EXPECT_NE(header.find(std::string("Taxi ") + control.shown + "State"), std::string::npos);
    EXPECT_NE(header.find(std::string(control.shown) + "Taximeter"), std::string::npos);
    EXPECT_NE(header.find(std::string("out") + control.shown + "/macros.h"), std::string::npos);
    testsupport::writeFile(dir.file("macros.h"), header);
    testsupport::writeFile(dir.file("check.c"), "#include \"macros.h\"\nint headerCompiled;\n");
    for (const std::string& compiler : compilers) {
      const testsupport::CommandResult compiled =
          runCommand(compiler + " -std=c99 -Wall -Wextra -pedantic -Werror -fsyntax-only " +
                     shellQuote(dir.file("check.c")));
      EXPECT_EQ(compiled.exitCode, 0) << compiler << ": " << compiled.output;
    }
  }
}

// The include guard is made from the file name; one that starts with a
// digit gets a "_" in front, so that the guard is a macro name. The header
// included twice must define its macros once.
TEST(MacroCompile, GuardOfAFileNameStartingWithADigitCompiles) {
  if (runCommand("command -v cc").exitCode != 0) GTEST_SKIP() << "no C compiler";
  testsupport::TempDir dir;
  RunSettings settings;
  settings.setOutputPath(dir.file("9lives.h"));
  ScopedRunSettings scoped(settings);
  testsupport::writeFile(settings.outputPath(), macrotest::generateHeader(macrotest::goldenTable()));
  testsupport::writeFile(dir.file("check.c"),
                         "#include \"9lives.h\"\n#include \"9lives.h\"\n"
                         "#if _9LIVES_COMPONENT_VERSION != 0x0100u\n#error no version\n#endif\n"
                         "unsigned lamp(unsigned u) { return sxu_lamp_0x6020sub0(u); }\n");
  const testsupport::CommandResult compiled =
      runCommand("cc -std=c99 -Wall -Wextra -pedantic -Werror -fsyntax-only " + shellQuote(dir.file("check.c")));
  EXPECT_EQ(compiled.exitCode, 0) << compiled.output;
}

}  // namespace
