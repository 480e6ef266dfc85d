// The per-signal environment-variable handlers: "gs_" and "sc_" handlers and
// the object-variable handlers that split an object value into its signals.
#include <gtest/gtest.h>

#include <memory>

#include "NoslRender.h"
#include "TestSupport.h"
#include "nosl/ZCo447GetStatusFunction.h"
#include "nosl/ZCo447MapperFunction_Int.h"
#include "nosl/ZCo447MapperFunction_String.h"
#include "nosl/ZCo447ObjValToSigMapper_Int.h"
#include "nosl/ZCo447ObjValToSigMapper_String.h"
#include "nosl/ObjectSignalIndex.h"

namespace {

using nosltest::crlfLines;
using nosltest::golden;
using nosltest::render;
using testsupport::Signal;


TEST(SignalHandlers, FilesForSmallTablesEqualGoldenFiles) {
  struct Case {
    const char* goldenFile;
    SignalTable table;
    nosltest::PieceMaker make;
  };
  const std::vector<Case> cases = {
      {"lamp_handlers.txt", nosltest::lampTable(), nosltest::lampPieces},
      {"mixed_handlers.txt", nosltest::mixedTable(), nosltest::mixedPieces},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.goldenFile);
    const std::string expected = golden(c.goldenFile);
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(render(c.table, c.make), expected);
  }
}

enum class Handler { GetStatus, MapperInt, MapperString, ObjectString };

nosltest::PieceMaker handlerFor(Handler kind) {
  return [kind](FunctionList& list, const SignalTable& table) {
    const ZListEntry& record = table.at(0);
    switch (kind) {
      case Handler::GetStatus:
        list.push_back(std::make_unique<ZCo447GetStatusFunction>(record));
        break;
      case Handler::MapperInt:
        list.push_back(std::make_unique<ZCo447MapperFunction_Int>(record));
        break;
      case Handler::MapperString:
        list.push_back(std::make_unique<ZCo447MapperFunction_String>(record));
        break;
      case Handler::ObjectString:
        list.push_back(std::make_unique<ZCo447ObjValToSigMapper_String>(record.signalName, record.objectIndex,
                                                                        record.objectSubIndex));
        break;
    }
  };
}

TEST(SignalHandlers, ValuesOfTheRecordStandWhereTheTextMarksThem) {
  struct Case {
    const char* description;
    ZListEntry record;
    Handler kind;
    std::size_t lineCount;
    std::vector<std::pair<std::size_t, std::string>> lines;  // line number from 1, text
  };
  const std::vector<Case> cases = {
      {"get status", Signal("taxi_state").object(0x6000, 1, 32).bits(0, 8), Handler::GetStatus, 28,
       {{1, "/*@@envVar:gs_taxi_state:*/"},
        {4, "on envVar gs_taxi_state"},
        {17, "    coUpload(getValue(ID_Dut),0x6000,0x1,0,errCode);"},
        {19, R"(      write("TESTER: Error performing SDO upload for signal \"gs_taxi_state\"");)"},
        {23, "    putValue(this,0);  "}}},
      {"get status, hexadecimal in lower case", Signal("x").object(0x1A, 0x1F, 8).bits(0, 8), Handler::GetStatus, 28,
       {{17, "    coUpload(getValue(ID_Dut),0x1a,0x1f,0,errCode);"}}},
      {"command, 32-bit object", Signal("fare").object(0x6001, 2, 32).bits(8, 24).command(), Handler::MapperInt, 35,
       {{1, "/*@@envVar:sc_fare:*/"},
        {4, "on envVar sc_fare"},
        {5, "{"},
        {6, "  // ------- variables --------"},
        {7, "  DWORD sigSize      = 24;      // the signal size in bit"},
        {8, "  DWORD startPos     = 8;      // the zero based start position of the signal"},
        {9, "  DWORD objSize      = 32;     // size of the object where the signal is mapped to"},
        {21, "    value = coGen_CalculateSignalPosition(sigSize,startPos,objSize,getValue(coval_fare));"},
        {24, "    coDownloadExpedited(getValue(ID_Dut),0x6001,0x2,value,4,0,errCode);"},
        {26, R"(      write("TESTER: error writing SDO"); )"},
        {31, "  } // if"},
        {32, "}"}}},
      {"command, 9-bit object takes 2 bytes", Signal("a").object(0x6001, 2, 9).bits(0, 1).command(),
       Handler::MapperInt, 35,
       {{24, "    coDownloadExpedited(getValue(ID_Dut),0x6001,0x2,value,2,0,errCode);"}}},
      {"command, 1-bit object takes 1 byte", Signal("a").object(0x6001, 2, 1).bits(0, 1).command(),
       Handler::MapperInt, 35,
       {{24, "    coDownloadExpedited(getValue(ID_Dut),0x6001,0x2,value,1,0,errCode);"}}},
      {"command, 33-bit object", Signal("text").object(0x6010, 1, 33).bits(0, 33).command(), Handler::MapperString, 33,
       {{1, "/*@@envVar:sc_text:*/"},
        {6, "  // ------- variables --------"},
        {8, "  char data[6];               // the data itself"},
        {19, "    size = getValue(coval_text,data);"},
        {22, "    coDownload(getValue(ID_Dut),0x6010,0x1,data,size,0,errCode);"},
        {24, R"(      write("TESTER: error writing SDO"); )"},
        {29, "  } // if"},
        {30, "}"}}},
      {"command, 64-bit object", Signal("text").object(0x6010, 1, 64).bits(0, 64).command(), Handler::MapperString, 33,
       {{8, "  char data[9];               // the data itself"}}},
      {"wide status object", Signal("vin").object(0x6003, 2, 64).bits(0, 64), Handler::ObjectString, 15,
       {{1, "/*@@envVar:stval_0x6003_0x2:*/"},
        {4, "on envVar stval_0x6003_0x2"},
        {10, "  getValue(this,valueBuffer);"},
        {11, "  putValue(stval_vin,valueBuffer);"},
        {12, "}"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.description);
    SignalTable table;
    table.add(c.record);
    const std::vector<std::string> lines = crlfLines(render(table, handlerFor(c.kind)));
    ASSERT_EQ(lines.size(), c.lineCount);
    EXPECT_EQ(lines[1], "/*$$SIGWEAVERBEGIN*/");
    EXPECT_EQ(lines.back(), "/*@@end*/");
    for (const auto& [number, text] : c.lines) EXPECT_EQ(lines[number - 1], text) << "line " << number;
  }
}

// The object handler of 0x6001 sub-index 1 over the given records.
std::vector<std::string> splittingLines(const std::vector<ZListEntry>& records) {
  SignalTable table;
  for (const ZListEntry& record : records) table.add(record);
  const std::vector<std::string> lines = crlfLines(render(table, [](FunctionList& list, const SignalTable& t) {
    list.push_back(std::make_unique<ZCo447ObjValToSigMapper_Int>(t, 0x6001, 1));
  }));
  // Frame (5 lines), 8 fixed body lines, the splitting lines, frame (4 lines).
  if (lines.size() < 17 || lines[0] != "/*@@envVar:stval_0x6001_0x1:*/" || lines[12] != "  // object value to its signal values." ||
      lines[lines.size() - 4] != "}") {
    return {"<unexpected frame>"};
  }
  return std::vector<std::string>(lines.begin() + 13, lines.end() - 4);
}

std::string split(const std::string& name, int size, int offset) {
  return "  putValue(stval_" + name + ",coGen_CalculateSignalValue(value," + std::to_string(size) + "," +
         std::to_string(offset) + "));";
}

TEST(ObjValToSigMapperInt, OneLinePerNonReservedRecordOfTheObjectInTableOrder) {
  struct Case {
    const char* description;
    std::vector<ZListEntry> records;
    std::vector<std::string> expected;
  };
  const std::vector<Case> cases = {
      {"two status records",
       {Signal("lamp_state").object(0x6001, 1, 16).bits(0, 8), Signal("lamp_level").object(0x6001, 1, 16).bits(8, 8)},
       {split("lamp_state", 8, 0), split("lamp_level", 8, 8)}},
      {"table order, not bit order",
       {Signal("high").object(0x6001, 1, 16).bits(8, 8), Signal("low").object(0x6001, 1, 16).bits(0, 8)},
       {split("high", 8, 8), split("low", 8, 0)}},
      {"a reserved record is skipped, the records after it are not",
       {Signal("a").object(0x6001, 1, 16).bits(0, 4), Signal("spare").object(0x6001, 1, 16).bits(4, 4).reserved(),
        Signal("b").object(0x6001, 1, 16).bits(8, 8)},
       {split("a", 4, 0), split("b", 8, 8)}},
      {"a command record of the object gets its line too",
       {Signal("state").object(0x6001, 1, 16).bits(0, 8), Signal("set").object(0x6001, 1, 16).bits(8, 8).command()},
       {split("state", 8, 0), split("set", 8, 8)}},
      {"other sub-indexes and indexes are left out",
       {Signal("other_sub").object(0x6001, 2, 16).bits(0, 8), Signal("mine").object(0x6001, 1, 16).bits(0, 8),
        Signal("other_index").object(0x6011, 1, 16).bits(0, 8), Signal("swapped").object(0x1, 0x6001, 16).bits(0, 8)},
       {split("mine", 8, 0)}},
      {"only reserved records: no line", {Signal("spare").object(0x6001, 1, 16).bits(0, 16).reserved()}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.description);
    EXPECT_EQ(splittingLines(c.records), c.expected);
  }
}

TEST(ObjValToSigMapperInt, HandlersOfOneTableShareOneIndex) {
  SignalTable table = nosltest::lampTable();
  SignalTable other = nosltest::lampTable();
  const auto first = ObjectSignalIndex::shared(table);
  EXPECT_EQ(ObjectSignalIndex::shared(table), first);
  EXPECT_NE(ObjectSignalIndex::shared(other), first);
  EXPECT_EQ(first->positions(0x6001, 1), (std::vector<std::size_t>{0, 1}));
  EXPECT_EQ(first->positions(0x6002, 1), (std::vector<std::size_t>{2}));
  EXPECT_TRUE(first->positions(0x6002, 2).empty());

  // An index asked for after the table grew holds the new record, even while
  // an index of the shorter table is still held.
  table.add(Signal("lamp_mode").object(0x6001, 1, 16).bits(16, 4));
  EXPECT_EQ(ObjectSignalIndex::shared(table)->positions(0x6001, 1), (std::vector<std::size_t>{0, 1, 3}));
}

}  // namespace
