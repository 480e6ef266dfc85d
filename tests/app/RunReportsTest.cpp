// The run's reports: signal list blocks, the not-read report, the relations
// file lines and the paths of the files beside the sheet.
#include <gtest/gtest.h>

#include <sstream>

#include "TestSupport.h"
#include "app/RunReports.h"
#include "util/Paths.h"
#include "util/Console.h"

namespace {

using testsupport::crlf;

using testsupport::Signal;

TEST(RunReports, SignalListBlockGoesToConsoleAndLogAlike) {
  struct Case {
    std::string title;
    std::string listText;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"signals not used:", "",
       "\nsignals not used:\n-----------------\nINDEX    SUB    START    SIZE    SIGNAL NAME\n\n"},
      {"signals not used:", listLine(Signal("Door").object(0x6000, 1, 32).bits(0, 8)) + "\n",
       "\nsignals not used:\n-----------------\nINDEX    SUB    START    SIZE    SIGNAL NAME\n"
       "0x6000   0x1      0       8      Door\n\n"},
      {"macros are generated for the following signals:", "a\nb\n",
       "\nmacros are generated for the following signals:\n" + std::string(47, '-') +
           "\nINDEX    SUB    START    SIZE    SIGNAL NAME\na\nb\n\n"},
  };
  for (const Case& c : cases) {
    std::ostringstream console;
    ConsoleCapture capture(console);
    TextStream log;
    writeSignalListReport(c.title, c.listText, log);
    EXPECT_EQ(console.str(), c.expected);
    EXPECT_EQ(log.contents(), crlf(c.expected));
  }
}

TEST(RunReports, NotReadReportHasALeadingEmptyLineOnlyInTheLog) {
  std::ostringstream console;
  ConsoleCapture capture(console);
  TextStream log;
  const std::string errorText =
      "Object 0x6000sub1: no value specified for value \"signal name (description)\". "
      "Excel data row 7 is incomplete or errorneous\nExcel data row 9 is incomplete or errorneous\n";
  writeNotReadReport(errorText, log);
  const std::string block = "Not readed objects:\n-------------------\n" + errorText + "\n";
  EXPECT_EQ(console.str(), block);
  EXPECT_EQ(log.contents(), crlf("\n" + block));
}

TEST(RunReports, RelationsHeaderAndLines) {
  TextStream relations;
  writeRelationsHeader(relations);
  ZListEntry status = Signal("taxi_state").object(0x60a0, 0x1a, 32).bits(0, 8);
  writeRelationLine(relations, status, "gs_taxi_state", "stval_taxi_state");
  writeRelationLine(relations, Signal("x").object(0x6000, 1, 32).bits(0, 1), "sc_lamp", "coval_lamp");
  writeRelationLine(relations, Signal("x").object(0xabc, 0xfffff, 32).bits(0, 1), "gs_a", "stval_a");
  writeRelationLine(relations, Signal("x").object(0x6000, 0x123456, 32).bits(0, 1), "gs_b", "stval_b");
  EXPECT_EQ(relations.contents(),
            crlf("Relations between objects and environment variables:\n" + std::string(52, '-') +
                 "\n\n"
                 "0x60A0sub1A   \tgs_taxi_state\t\tstval_taxi_state\n"
                 "0x6000sub1    \tsc_lamp\t\tcoval_lamp\n"
                 "0xABCsubFFFFF\tgs_a\t\tstval_a\n"
                 "0x6000sub123456\tgs_b\t\tstval_b\n"));
}

TEST(RunReports, FilesBesideTheSheet) {
  const std::string kSep(1, kDirectorySeparator);
  struct Case {
    std::string sheet, columnMap, log, relations;
  };
  const std::vector<Case> cases = {
      {"./sheets/taxi.xlsx", "./sheets/taxi.ini", "./sheets/taxi_log.txt", "./sheets/object_signal_relations.txt"},
      {"C:\\gen\\taxi.v2.xls", "C:\\gen\\taxi.v2.ini", "C:\\gen\\taxi.v2_log.txt",
       "C:\\gen\\object_signal_relations.txt"},
      {"taxi.csv", "taxi.ini", "taxi_log.txt", "object_signal_relations.txt"},
      // Taken as a directory, which gets the platform's separator.
      {"/data/signals", "/data/signals" + kSep + ".ini", "/data/signals" + kSep + "_log.txt",
       "/data/signals" + kSep + "object_signal_relations.txt"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(columnMapPath(c.sheet), c.columnMap) << c.sheet;
    EXPECT_EQ(logFilePath(c.sheet), c.log) << c.sheet;
    EXPECT_EQ(relationsFilePath(c.sheet), c.relations) << c.sheet;
  }
}

}  // namespace
