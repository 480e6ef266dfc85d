// What the tests of a failed database save share: an old database and one
// open, add and save as a run does it.
#pragma once

#include <string>

#include "database/EnvVarDatabaseWriter.h"
#include "database/VariableAttributes.h"

namespace savefixtures {

inline const char kOldDatabase[] =
    "BU_: Tester\r\n"
    "EV_ gs_old: 0 [0|1] \"\" 0 1 DUMMY_NODE_VECTOR3 Tester;\r\n";

// What a run sees of one open, add and save.
enum Outcome { kSaved = 0, kSaveFailed = 1, kOpenFailed = 2, kAddFailed = 3, kNoUnprivilegedUser = 4 };

inline Outcome openAddSave(const std::string& path) {
  EnvVarDatabaseWriter writer("");
  if (writer.openOrCreateDatabase(path) != EnvVarDatabaseWriter::OpenResult::Opened) return kOpenFailed;
  if (!writer.addVariable("gs_new", kVariableCodeReadWrite, kTypeCodeNumeric, 0, 1, 0)) return kAddFailed;
  return writer.saveAndClose() ? kSaved : kSaveFailed;
}

}  // namespace savefixtures
