// A failed save on Windows: a database with the read-only attribute is not
// replaced, keeps its bytes and the attribute. (The rest:
// DatabaseSaveFailureTest.cpp.)
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "database/DatabaseSaveFixtures.h"
#include "util/WindowsText.h"

namespace {

using namespace savefixtures;
using testsupport::readFile;
using testsupport::TempDir;
using testsupport::writeFile;

TEST(DatabaseSave, ReadOnlyAttributeKeepsTheOldDatabase) {
  for (const DWORD attributes :
       {DWORD{FILE_ATTRIBUTE_READONLY}, DWORD{FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN}}) {
    SCOPED_TRACE(attributes);
    TempDir dir;
    const std::string path = dir.file("node.dbc");
    writeFile(path, kOldDatabase);
    ASSERT_TRUE(SetFileAttributesW(widePath(path).c_str(), attributes));
    EXPECT_EQ(openAddSave(path), kSaveFailed);
    EXPECT_EQ(readFile(path), kOldDatabase);
    EXPECT_EQ(GetFileAttributesW(widePath(path).c_str()) & attributes, attributes);
    EXPECT_EQ(testsupport::listing(dir.path()), "node.dbc ");
  }
}

}  // namespace
