// The database opener: any bytes as an existing .dbc file. A file that opens
// must take new variables and read back with the old and the new ones; a
// file that does not open must stay as it was.
#include <cstddef>
#include <iterator>
#include <cstdint>
#include <string>
#include <unordered_set>

#include "FuzzSupport.h"
#include "database/DatabaseText.h"
#include "database/EnvVarDatabaseWriter.h"
#include "database/VariableAttributes.h"

namespace {

const char* const kNewNames[] = {"gs_fuzz_signal", "stval_fuzz_signal", "coval_fuzz_signal"};

std::unordered_set<std::string> variableNames(const DatabaseText& text) {
  std::unordered_set<std::string> names;
  for (const EnvVarStatement& variable : text.variables()) names.emplace(variable.name);
  return names;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  DatabaseText before;
  std::string error;
  const bool isDatabase = before.read(bytes, error);

  const std::string path = fuzzsupport::writeScratchFile("node.dbc", bytes);
  EnvVarDatabaseWriter writer("FuzzNode");
  const EnvVarDatabaseWriter::OpenResult result = writer.openOrCreateDatabase(path);
  if (result != EnvVarDatabaseWriter::OpenResult::Opened) {
    if (isDatabase) fuzzsupport::fail("a database that reads was not opened");
    if (fuzzsupport::readWholeFile(path) != bytes) fuzzsupport::fail("a file that did not open was changed");
    return 0;
  }
  if (!isDatabase) fuzzsupport::fail("a file that does not read was opened");

  // A name that exists (a long name of an editor's included) is not added.
  std::unordered_set<std::string> expected = variableNames(before);
  std::unordered_set<std::string> existing;
  for (const char* name : kNewNames) {
    (writer.variableExists(name) ? existing : expected).insert(name);
    const int32_t type = name[0] == 'c' ? kTypeCodeString : kTypeCodeNumeric;
    if (!writer.addVariable(name, kVariableCodeReadWrite, type, 0, 255, 0)) {
      // Only a file whose ids are used up refuses a new variable.
      if (writer.errorText() != "No variable id is left") fuzzsupport::fail("a variable was refused");
      return 0;
    }
  }
  // Only a variable the file had and the run asked for with other
  // attributes is noted.
  for (const KeptVariable& kept : writer.keptVariables()) {
    if (existing.count(kept.name) == 0 || sameAttributes(kept.kept, kept.needed)) {
      fuzzsupport::fail("a variable was noted that the file did not have or that keeps what was asked for");
    }
  }
  if (!writer.saveAndClose()) fuzzsupport::fail("the database was not saved");

  DatabaseText after;
  if (!after.read(fuzzsupport::readWholeFile(path), error)) fuzzsupport::fail("the saved database does not read");
  if (variableNames(after) != expected) fuzzsupport::fail("the saved database lost or gained variables");
  const bool added = existing.size() < std::size(kNewNames);
  if (added && after.bytes().size() <= bytes.size()) fuzzsupport::fail("the saved database is not longer");
  return 0;
}
