// Temporary files on Windows: a file named in any spelling is replaced
// under its long name, and paths too long for the classic limit get the
// prefix that lifts it. (POSIX: ReplacementFileTest-posix.cpp.)
#include "util/ReplacementFile.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "TestSupport.h"
#include "util/WindowsText.h"

namespace {

using testsupport::TempDir;

namespace fs = std::filesystem;

// Renamed onto a short (8.3) name, a new file would take that name on
// NTFS and the file's long name would be gone. Every spelling of the file
// makes the temporary file of its long name, which the commit renames onto.
TEST(ReplacementFile, FileIsReplacedUnderItsLongName) {
  TempDir dir;
  testsupport::writeFile(dir.file("taxi-database.dbc"), "");
  const std::string shortName = testsupport::shortNameOf(dir.file("taxi-database.dbc"));
  ASSERT_NE(shortName, "");
  ASSERT_NE(shortName, "taxi-database.dbc");
  for (const std::string& name : {shortName, std::string("taxi-database.dbc."), std::string("TAXI-DATABASE.DBC")}) {
    SCOPED_TRACE(name);
    testsupport::writeFile(dir.file("taxi-database.dbc"), "old");
    ZReplacementFile replacement;
    std::string errorText;
    ASSERT_TRUE(replacement.create(dir.file(name), errorText)) << errorText;
    EXPECT_EQ(replacement.temporaryPath().rfind(dir.file(".taxi-database.dbc.co447gen-"), 0), 0u)
        << replacement.temporaryPath();
    ASSERT_TRUE(replacement.commit(errorText)) << errorText;
    // The new, empty file under the long name, and no other.
    EXPECT_EQ(testsupport::listing(dir.path()), "taxi-database.dbc ");
    EXPECT_EQ(testsupport::readFile(dir.file("taxi-database.dbc")), "");
  }
}

// A relative path shorter than the limit whose full path is longer (in a
// deep current directory) gets the prefix too.
TEST(LongPath, ShortRelativePathInADeepDirectoryGetsThePrefix) {
  TempDir dir;
  const std::string deep = dir.file(std::string(200 - dir.path().size(), 'd'));
  fs::create_directory(testsupport::pathOf(deep));
  wchar_t previous[MAX_PATH];
  ASSERT_GT(GetCurrentDirectoryW(MAX_PATH, previous), 0u);
  ASSERT_TRUE(SetCurrentDirectoryW(widePath(deep).c_str()));
  const std::string relative = std::string(100, 'f') + ".dbc";
  const std::wstring widened = widePath(relative);
  SetCurrentDirectoryW(previous);
  EXPECT_EQ(widened, L"\\\\?\\" + widePath(deep) + L"\\" + wideText(relative));
}

TEST(ReplacementFile, TemporaryFileIsRemovedFromTheDirectoryItWasMadeIn) {
  GTEST_SKIP() << "making a symbolic link on Windows needs a privilege (SeCreateSymbolicLinkPrivilege) that a test "
                  "may not have; the temporary file is removed through its own handle there";
}

}  // namespace
