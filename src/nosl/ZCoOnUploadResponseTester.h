// The coOnUploadResponse callback: stores the object value that a "gs_"
// handler uploaded from the device under test into the object variable
// "stval_" + object key, one branch per object that has status records.
#pragma once

#include "framework/ZNoslFunction.h"
#include "input/ZListEntry.h"

class ZCoOnUploadResponseTester : public ZNewFunction {
 public:
  // The table stays owned by its reader and outlives the piece.
  explicit ZCoOnUploadResponseTester(const ZSignalTable& table) : table_(table) {}
  bool writeBody(ZTextStream& stream, ZGeneratorInterface& generator) override;

 private:
  // One "if" / "else if" branch for the object of the record.
  static void writeBranch(ZTextStream& stream, const ZListEntry& record, bool first);

  const ZSignalTable& table_;
};
