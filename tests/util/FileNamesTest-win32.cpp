// Names only Windows has: one file by several spellings, and relative
// paths whose full path passes the classic limit of 260 characters.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <iterator>
#include <filesystem>
#include <string>

#include "TestSupport.h"
#include "util/FileLock.h"
#include "util/ReplacementFile.h"
#include "util/WindowsText.h"

namespace {

using testsupport::TempDir;

// A trailing dot or blank, the short (8.3) name and another letter case
// open the same file: each waits for the file's one lock while another run
// holds it, and replaces the file under its long name (renamed onto the
// short name, a file would lose its long name on NTFS).
TEST(FileNames, EverySpellingTakesTheOneLockAndKeepsTheLongName) {
  TempDir dir;
  testsupport::writeFile(dir.file("taxi-database.dbc"), "");
  const std::string shortName = testsupport::shortNameOf(dir.file("taxi-database.dbc"));
  ASSERT_NE(shortName, "");
  ASSERT_NE(shortName, "taxi-database.dbc");
  testsupport::HeldLock held(dir.file(".taxi-database.dbc.co447gen-lock"));
  ASSERT_TRUE(held.held());
  for (const std::string& name : {std::string("taxi-database.dbc."), std::string("taxi-database.dbc "), shortName,
                                  std::string("TAXI-Database.DBC")}) {
    SCOPED_TRACE(name);
    FileLock lock;
    int waits = 0;
    EXPECT_EQ(lock.acquire(dir.file(name), [&waits] { ++waits; }, std::chrono::milliseconds(0)),
              FileLock::Result::TimedOut);
    EXPECT_EQ(waits, 1);
    ReplacementFile replacement;
    std::string errorText;
    ASSERT_TRUE(replacement.create(dir.file(name), errorText)) << errorText;
    EXPECT_EQ(replacement.temporaryPath().rfind(dir.file(".taxi-database.dbc.co447gen-"), 0), 0u);
    ASSERT_TRUE(replacement.commit(errorText)) << errorText;
    // Onto the long name: beside the lock file no file of another name appeared.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(testsupport::pathOf(dir.path())), {}), 2);
  }
}

TEST(FileNames, ShortRelativePathInADeepDirectoryGetsTheLongPathPrefix) {
  TempDir dir;
  const std::string deep = dir.file(std::string(200 - dir.path().size(), 'd'));
  std::filesystem::create_directory(testsupport::pathOf(deep));
  wchar_t previous[MAX_PATH];
  ASSERT_GT(GetCurrentDirectoryW(MAX_PATH, previous), 0u);
  ASSERT_TRUE(SetCurrentDirectoryW(widePath(deep).c_str()));
  const std::string relative = std::string(100, 'f') + ".dbc";
  const std::wstring widened = widePath(relative);
  SetCurrentDirectoryW(previous);
  EXPECT_EQ(widened, L"\\\\?\\" + widePath(deep) + L"\\" + wideText(relative));
}

}  // namespace
