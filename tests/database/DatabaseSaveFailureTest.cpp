// A failed save reports false and leaves the old database as it was (the
// failures that need POSIX: DatabaseSaveFailureTest-posix.cpp).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "TestSupport.h"
#include "database/DatabaseSaveFixtures.h"

namespace {

using namespace savefixtures;
using testsupport::TempDir;
using testsupport::writeFile;
using OpenResult = EnvVarDatabaseWriter::OpenResult;

TEST(DatabaseSave, DatabaseReplacedByADirectoryIsNotOverwritten) {
  TempDir dir;
  const std::string path = dir.file("node.dbc");
  writeFile(path, kOldDatabase);
  EnvVarDatabaseWriter writer("");
  ASSERT_EQ(writer.openOrCreateDatabase(path), OpenResult::Opened);
  ASSERT_TRUE(writer.addVariable("gs_new", kVariableCodeReadWrite, kTypeCodeNumeric, 0, 1, 0));
  std::filesystem::remove(path);
  std::filesystem::create_directory(path);
  EXPECT_FALSE(writer.saveAndClose());
  EXPECT_EQ(writer.errorText(), "\"" + path + "\" is a directory");
  EXPECT_EQ(testsupport::listing(dir.path()), "node.dbc ");
}

}  // namespace
