// The coOnUploadResponse callback: stores the object value that a "gs_"
// handler uploaded from the device under test into the object variable
// "stval_" + object key, one branch per object that has status records.
// With -wide the branch of an object of 33 to 64 bits splits the uploaded
// bytes into the "stval_" variables of the object's status signals itself.
#pragma once

#include <memory>
#include <vector>

#include "framework/ZNoslFunction.h"
#include "input/ZListEntry.h"
#include "nosl/ObjectSignalIndex.h"

class ZCoOnUploadResponseTester : public ZNewFunction {
 public:
  // The table stays owned by its reader and outlives the piece.
  explicit ZCoOnUploadResponseTester(const SignalTable& table, bool splitTwoWordObjects = false);
  bool writeBody(TextStream& stream, ZGeneratorInterface& generator) override;

 private:
  // The first status record of each object, in table order: it decides the
  // object's branch.
  std::vector<const ZListEntry*> branchRecords() const;
  bool splitsInBranch(const ZListEntry& record) const;
  // The non-reserved status records of the record's object, in table order.
  std::vector<const ZListEntry*> statusSignalsOf(const ZListEntry& record) const;
  // The variables the split branches need, after the callback's own.
  void writeSplitVariables(TextStream& stream, const std::vector<const ZListEntry*>& branches) const;
  // One "if" / "else if" branch for the object of the record.
  static void writeBranch(TextStream& stream, const ZListEntry& record, bool first);
  void writeSplitBranch(TextStream& stream, const ZListEntry& record, bool first) const;

  const SignalTable& table_;
  bool splitTwoWordObjects_;
  std::shared_ptr<const ObjectSignalIndex> index_;  // only to split
};
