// With -wide the signals of objects of 33 to 64 bits must work as those of
// narrower objects do, proven by running the generated handlers: the mode 3
// file is turned into C line by line (the script language is C-like; only
// the handler heads need rewriting, and the environment variables, taken
// with their types and ranges from the run's database, and the node's API
// need definitions), compiled with the system's C compiler and run against
// a device that keeps an object dictionary:
//
// - every status signal reads its own bits of an uploaded object value
//   (zero bytes included), exactly up to 53 bits and as the nearest
//   floating value above;
// - every command downloads the object's whole length with its own bits
//   set to the command value, every other bit of the object set and none
//   above the object's size;
// - every value a handler writes lies in its variable's range, and no
//   variable is written in the handlers of two signals.
//
// The sheets: every signal size 1 to 64 at every offset, in objects of 33
// to 64 bits, as status and as command signals; and random sheets of
// objects of every size up to 64 bits with names that collide.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "TestSupport.h"

namespace {

namespace ts = testsupport;

const char kColumnMap[] =
    "[XLSImport]\nSkipRows=1\nObjectIndex=0\nObjectSubIndex=1\nObjectSize=2\nSignalName=3\nSignalOffset=4\n"
    "SignalSize=5\nSignalReserved=6\nSignalIsUsed=7\nCommandOrStatus=8\n";

struct Row {
  unsigned index = 0, subIndex = 0;
  int objectSize = 0, offset = 0, size = 0;
  std::string name;
  bool command = false, reserved = false;
};

// The C the handlers run on: types, environment variables, the node's API
// and the device under test (node 5; the node itself is 6).
const char kPrelude[] = R"~(#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
typedef uint32_t DWORD;
typedef uint32_t dword;
typedef struct { const char* name; double min, max; int64_t* whole; double* real; void (*handler)(void); } EnvInfo;
typedef struct { int64_t v; EnvInfo info; } IntVar;
typedef struct { double v; EnvInfo info; } FloatVar;
static void changed(EnvInfo* info) {
  double value = info->real ? *info->real : (double)*info->whole;
  if (value < info->min || value > info->max) printf("range %s %.17g\n", info->name, value);
  if (info->handler) info->handler();
}
#define getValue(x) ((x).v)
#define putValue(x, value) ((x).v = (value), changed(&(x).info))
#define elCount(a) (sizeof(a) / sizeof((a)[0]))
#define write(...) printf("write %s\n", #__VA_ARGS__)
DWORD gNodeId = 6;
dword errCode[1];
char errBuffer[1024];
typedef struct { DWORD index, sub, bytes; uint64_t value; } Entry;
static Entry od[4096];
static int odCount;
static unsigned char response[8];
static DWORD responseSize;
static Entry* entry(DWORD node, DWORD index, DWORD sub) {
  for (int i = 0; node == 5 && i < odCount; ++i) if (od[i].index == index && od[i].sub == sub) return &od[i];
  return NULL;
}
void coOnUploadResponse(DWORD nodeId, DWORD index, DWORD subIndex, DWORD size);
static void coUpload(DWORD node, DWORD index, DWORD sub, int mode, dword* err) {
  Entry* e = entry(node, index, sub);
  err[0] = e ? 0 : 0x06020000;
  if (!e) return;
  responseSize = e->bytes;
  for (DWORD i = 0; i < e->bytes; ++i) response[i] = (unsigned char)(e->value >> (8 * i));
  coOnUploadResponse(node, index, sub, e->bytes + 0 * mode);
}
static DWORD coThisGetData(char* buffer, DWORD count, dword* err) {
  DWORD n = responseSize < count ? responseSize : count;
  memcpy(buffer, response, n);
  err[0] = 0;
  return n;
}
static DWORD coThisGetUnsigned(dword* err) {
  DWORD value = 0;
  for (DWORD i = 0; i < responseSize && i < 4; ++i) value |= (DWORD)response[i] << (8 * i);
  err[0] = responseSize > 4 ? 0x06070010 : 0;
  return value;
}
static void store(DWORD node, DWORD index, DWORD sub, const unsigned char* bytes, DWORD size, dword* err) {
  Entry* e = entry(node, index, sub);
  err[0] = !e ? 0x06020000 : size != e->bytes ? 0x06070010 : 0;
  if (err[0] != 0) return;
  e->value = 0;
  for (DWORD i = 0; i < size; ++i) e->value |= (uint64_t)bytes[i] << (8 * i);
}
static void coDownload(DWORD node, DWORD index, DWORD sub, char* data, DWORD size, int mode, dword* err) {
  store(node, index, sub, (const unsigned char*)data, size + 0 * mode, err);
}
static void coDownloadExpedited(DWORD node, DWORD index, DWORD sub, DWORD value, DWORD size, int mode, dword* err) {
  unsigned char bytes[4] = {value & 0xff, (value >> 8) & 0xff, (value >> 16) & 0xff, value >> 24};
  if (size > 4) err[0] = 0x06070010; else store(node, index, sub, bytes, size + 0 * mode, err);
}
static void coGetLastError(char* buffer, DWORD count) { snprintf(buffer, count, "error"); }
)~";

// The driver: "o index sub bytes value" sets an object of the device (hex),
// "p name value" writes a variable as a user does, "g name" prints it,
// "d index sub" prints an object.
const char kMain[] = R"~(
static EnvInfo* find(const char* name) {
  for (int i = 0; kVariables[i]; ++i) if (strcmp(kVariables[i]->name, name) == 0) return kVariables[i];
  printf("unknown %s\n", name);
  exit(1);
}
int main(void) {
  char line[512], name[300], number[64];
  unsigned index, sub, bytes;
  unsigned long long value;
  connectHandlers();
  while (fgets(line, sizeof line, stdin)) {
    if (sscanf(line, "o %x %x %u %llx", &index, &sub, &bytes, &value) == 4) {
      Entry* e = entry(5, index, sub);
      if (!e) e = &od[odCount++];
      e->index = index, e->sub = sub, e->bytes = bytes, e->value = value;
    } else if (sscanf(line, "p %299s %63s", name, number) == 2) {
      EnvInfo* v = find(name);
      if (v->real) *v->real = strtod(number, NULL); else *v->whole = strtoll(number, NULL, 10);
      changed(v);
    } else if (sscanf(line, "g %299s", name) == 1) {
      EnvInfo* v = find(name);
      if (v->real) printf("%.17g\n", *v->real); else printf("%lld\n", (long long)*v->whole);
    } else if (sscanf(line, "d %x %x", &index, &sub) == 2) {
      printf("%llx\n", (unsigned long long)entry(5, index, sub)->value);
    }
  }
  return 0;
}
)~";

// The variables of the database as C (a string variable has no place in
// these sheets and fails), the script with its handlers as functions, and
// the driver.
std::string translate(const std::string& script, const std::string& database) {
  std::string declarations = kPrelude, variables = "static EnvInfo* const kVariables[] = {", connect, body;
  std::istringstream dbc(database);
  for (std::string line; std::getline(dbc, line);) {
    char name[300];
    int type = 0;
    double min = 0, max = 0, initial = 0;
    const char* const kStatement = "EV_ %299[A-Za-z0-9_]: %d [%lf|%lf] \"\" %lf";
    if (std::sscanf(line.c_str(), kStatement, name, &type, &min, &max, &initial) != 5) continue;
    EXPECT_NE(type, 2) << "a string variable: " << name;
    const std::string n = name;
    declarations += (type == 1 ? "static FloatVar " : "static IntVar ") + n + " = {" + std::to_string(initial) +
                    ", {\"" + n + "\", " + std::to_string(min) + ", " + std::to_string(max) +
                    (type == 1 ? ", 0, &" + n + ".v" : ", &" + n + ".v, 0") + ", 0}};\n";
    variables += "&" + n + ".info, ";
  }
  std::istringstream lines(script);
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    // The functions are called before they stand in the file.
    if (line.rfind("DWORD coGen_", 0) == 0) declarations += line + ";\n";
    if (line.rfind("on envVar ", 0) == 0) {
      const std::string n = line.substr(10);
      line = "#undef this\n#define this " + n + "\nstatic void on_" + n + "(void)";
      connect += "  " + n + ".info.handler = on_" + n + ";\n";
    }
    body += line + "\n";
  }
  return declarations + body + variables + "0};\nstatic void connectHandlers(void) {\n" + connect + "}\n" + kMain;
}

uint64_t bitsOf(int size) { return size >= 64 ? ~uint64_t{0} : (uint64_t{1} << size) - 1; }

// A value with about every third byte zero.
uint64_t randomBits(std::mt19937_64& random, int size) {
  uint64_t value = random();
  for (int byte = 0; byte < 8; ++byte) {
    if (random() % 3 == 0) value &= ~(uint64_t{0xff} << (8 * byte));
  }
  return value & bitsOf(size);
}

bool isFloating(const Row& row) { return row.objectSize > 32 && row.size > 32; }

std::string numberText(const Row& row, uint64_t value) {
  if (!isFloating(row)) return std::to_string(value);
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", static_cast<double>(value));
  return text;
}

// What an object holds after a command: the signal's bits as sent, every
// other bit set. A floating value of 2^size or more sends all bits set.
uint64_t commandedObject(const Row& row, uint64_t value) {
  uint64_t sent = value;
  if (isFloating(row)) {
    const double number = static_cast<double>(value);
    sent = number >= std::ldexp(1.0, row.size) ? bitsOf(row.size) : static_cast<uint64_t>(number);
  }
  const uint64_t mask = bitsOf(row.size) << row.offset;
  return ((bitsOf(row.objectSize) & ~mask) | (sent << row.offset)) & bitsOf(row.objectSize);
}

std::string hex(uint64_t value) {
  char text[24];
  std::snprintf(text, sizeof text, "%llx", static_cast<unsigned long long>(value));
  return text;
}

// The rows as signals.csv with its column map in dir, and a mode 3 run on
// them (database ./node.dbc, output ./node.cin) with the extra arguments.
ts::CommandResult runOnRows(const ts::TempDir& dir, const std::vector<Row>& rows,
                            const std::vector<std::string>& extra) {
  std::string sheet = "Index,Sub,Size,Name,Offset,Bits,Reserved,Used,Command\n";
  for (const Row& row : rows) {
    sheet += hex(row.index) + "," + hex(row.subIndex) + "," + std::to_string(row.objectSize) + "," + row.name + "," +
             std::to_string(row.offset) + "," + std::to_string(row.size) + "," + (row.reserved ? "x" : "") + ",x," +
             (row.command ? "x" : "") + "\n";
  }
  ts::writeFile(dir.file("signals.csv"), sheet);
  ts::writeFile(dir.file("signals.ini"), kColumnMap);
  std::vector<std::string> arguments = {"-m",   "3",          "-sdb", "./node.dbc", "-xls", "./signals.csv",
                                        "-out", "./node.cin", "-nme", "Taxi",       "-tme", "Tester"};
  arguments.insert(arguments.end(), extra.begin(), extra.end());
  const ts::CommandResult run = ts::runProgram(arguments, dir.path());
  EXPECT_EQ(run.exitCode, 0) << run.output;
  return run;
}

using Variables = std::vector<std::pair<std::string, std::string>>;  // trigger, value

// Runs mode 3 with -wide on the rows in dir and builds the node program;
// the variables of each row as the relations file names them (none when
// the node could not be built). No variable may be written in two places.
Variables buildNode(const ts::TempDir& dir, const std::vector<Row>& rows) {
  runOnRows(dir, rows, {"-wide"});
  const std::string script = ts::readFile(dir.file("node.cin"));
  std::map<std::string, int> writes;
  for (const std::string& name : ts::identifiersAfter(script, "putValue(")) {
    if (name != "this" && ++writes[name] == 2) ADD_FAILURE() << "written in two places: " << name;
  }
  ts::writeFile(dir.file("node.c"), translate(script, ts::readFile(dir.file("node.dbc"))));
  const ts::CommandResult compiled =
      ts::runCommand("cd " + ts::shellQuote(dir.path()) + " && cc -std=c99 -w -o node node.c");
  EXPECT_EQ(compiled.exitCode, 0) << compiled.output;

  Variables variables;
  std::istringstream relations(ts::readFile(dir.file("object_signal_relations.txt")));
  for (std::string line; std::getline(relations, line);) {
    const std::size_t trigger = line.find('\t'), value = line.find("\t\t"), end = line.find('\r');
    if (line.rfind("0x", 0) != 0) continue;
    variables.emplace_back(line.substr(trigger + 1, value - trigger - 1), line.substr(value + 2, end - value - 2));
  }
  EXPECT_EQ(variables.size(), rows.size());
  return compiled.exitCode == 0 && variables.size() == rows.size() ? variables : Variables();
}

// What the node is told to do, and the line it must print for each check.
struct Drive {
  std::string commands = "p ID_ActualClient 6\np ID_Dut 5\n";
  std::vector<std::pair<const Row*, std::string>> expected;

  void object(const Row& row, uint64_t value) {
    commands += "o " + hex(row.index) + " " + hex(row.subIndex) + " " + std::to_string((row.objectSize + 7) / 8) +
                " " + hex(value) + "\n";
  }
  // A status signal is read from a new object value; a command is sent
  // twice, a random value and its variable's largest value, each over a
  // new object value.
  void check(const Row& row, const std::string& trigger, const std::string& value, std::mt19937_64& random) {
    if (!row.command) {
      const uint64_t objectValue = randomBits(random, row.objectSize);
      object(row, objectValue);
      commands += "p " + trigger + " 1\ng " + value + "\n";
      expected.emplace_back(&row, numberText(row, (objectValue >> row.offset) & bitsOf(row.size)));
      return;
    }
    for (const uint64_t sent : {randomBits(random, row.size), bitsOf(row.size)}) {
      object(row, randomBits(random, row.objectSize));
      commands += "p " + value + " " + numberText(row, sent) + "\np " + trigger + " 1\nd " + hex(row.index) + " " +
                  hex(row.subIndex) + "\n";
      expected.emplace_back(&row, hex(commandedObject(row, sent)));
    }
  }
};

struct Counts {
  int read = 0, readRight = 0, commanded = 0, commandedRight = 0;
};

// Runs the generated handlers of every unreserved signal of the rows; the
// counts by object size.
std::map<int, Counts> exercise(const std::vector<Row>& rows, std::mt19937_64& random) {
  ts::TempDir dir;
  const Variables variables = buildNode(dir, rows);
  if (variables.empty()) return {};
  Drive drive;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (!rows[i].reserved) drive.check(rows[i], variables[i].first, variables[i].second, random);
  }
  ts::writeFile(dir.file("commands.txt"), drive.commands);
  std::istringstream output(ts::runCommand("cd " + ts::shellQuote(dir.path()) + " && ./node < commands.txt").output);
  std::map<int, Counts> counts;
  for (const auto& [row, text] : drive.expected) {
    std::string line;
    std::getline(output, line);
    // Read values compare as numbers: "%.17g" gives back the same value.
    const bool right =
        row->command ? line == text : std::strtod(line.c_str(), nullptr) == std::strtod(text.c_str(), nullptr);
    Counts& count = counts[row->objectSize];
    (row->command ? count.commanded : count.read) += 1;
    (row->command ? count.commandedRight : count.readRight) += right ? 1 : 0;
    if (!right) {
      ADD_FAILURE() << row->name << " (object of " << row->objectSize << " bits, offset " << row->offset << ", "
                    << row->size << " bits): " << line << " instead of " << text;
    }
  }
  const std::string rest((std::istreambuf_iterator<char>(output)), std::istreambuf_iterator<char>());
  EXPECT_EQ(rest, "") << "values out of their variable's range, or error messages";
  return counts;
}

TEST(WideObjectsWork, EverySignalSizeAtEveryOffsetReadsAndCommandsItsOwnBits) {
  if (ts::runCommand("command -v cc").exitCode != 0) GTEST_SKIP() << "no C compiler";
  std::mt19937_64 random(447);
  std::vector<Row> rows;
  // Each size at each offset in the narrowest object of 33 to 64 bits that
  // holds it: an object per width for the status signals, one for commands.
  for (int size = 1; size <= 64; ++size) {
    for (int offset = 0; offset + size <= 64; ++offset) {
      const int width = std::max(33, offset + size);
      const std::string name =
          "_" + std::to_string(width) + "_" + std::to_string(size) + "_" + std::to_string(offset);
      rows.push_back({0x2000u + static_cast<unsigned>(width), 1, width, offset, size, "st" + name, false, false});
      rows.push_back({0x2000u + static_cast<unsigned>(width), 2, width, offset, size, "co" + name, true, false});
    }
  }
  const std::map<int, Counts> counts = exercise(rows, random);
  ASSERT_EQ(counts.size(), 32u);
  std::string table;
  for (const auto& [width, count] : counts) {
    table += std::to_string(width) + " bits: " + std::to_string(count.readRight) + "/" + std::to_string(count.read) +
             " status signals read right, " + std::to_string(count.commandedRight) + "/" +
             std::to_string(count.commanded) + " commands right (2 values per command signal)\n";
  }
  std::printf("%s", table.c_str());
}

// A database of a run without -wide keeps its string variables; a run with
// it reports them (and not the object variable it no longer needs).
TEST(WideObjectsWork, StringVariablesOfAnEarlierRunAreReported) {
  ts::TempDir dir;
  const std::vector<Row> odometer = {{0x6040, 1, 64, 0, 48, "Total Distance", false, false},
                                     {0x6040, 1, 64, 48, 16, "Trip Count", false, false},
                                     {0x6041, 1, 40, 8, 32, "Set Limit", true, false}};
  runOnRows(dir, odometer, {});
  const std::string output = runOnRows(dir, odometer, {"-wide"}).output;
  const std::string expected =
      "Warning: environment variable \"stval_total_distance\" keeps string; the sheet needs floating 0 to "
      "281474976710655 starting at 0\n\n"
      "Warning: environment variable \"stval_trip_count\" keeps string; the sheet needs integer 0 to 65535 starting "
      "at 0\n\n"
      "Warning: environment variable \"coval_set_limit\" keeps string; the sheet needs integer 0 to 4294967295 "
      "starting at 4294967295\n\n"
      "Database \"./node.dbc\" keeps the variables above as they are: run with -deldb if it holds nothing else you "
      "need, or remove them from it\n\n";
  EXPECT_NE(output.find("...\n\n" + expected + "\n"), std::string::npos) << output;
}

TEST(WideObjectsWork, RandomSheets) {
  if (ts::runCommand("command -v cc").exitCode != 0) GTEST_SKIP() << "no C compiler";
  const std::vector<std::string> names = {"Door", "door", "DOOR", "Lamp", "lamp_2",
                                          "x",    "X",    "a b",  "0x6001_0x1", "Tür"};
  std::mt19937_64 random(27);
  const auto pick = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  std::vector<Row> rows;
  for (int object = 0; object < 60; ++object) {
    const int width = pick(0, 2) == 0 ? pick(1, 32) : pick(33, 64);
    for (int signals = pick(1, 5); signals > 0; --signals) {
      Row row;
      row.index = 0x6000u + static_cast<unsigned>(object);
      row.subIndex = static_cast<unsigned>(pick(0, 2));
      row.objectSize = width;
      row.size = pick(1, width);
      row.offset = pick(0, width - row.size);
      row.name = names[static_cast<std::size_t>(pick(0, static_cast<int>(names.size()) - 1))];
      row.command = pick(0, 2) == 0;
      row.reserved = pick(0, 7) == 0;
      rows.push_back(row);
    }
  }
  std::shuffle(rows.begin(), rows.end(), random);
  int read = 0, commanded = 0;
  for (const auto& [width, count] : exercise(rows, random)) {
    read += count.readRight;
    commanded += count.commandedRight;
  }
  EXPECT_GT(read, 60);
  EXPECT_GT(commanded, 60);
}

}  // namespace
