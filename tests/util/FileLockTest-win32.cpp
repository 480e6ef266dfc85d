// The lock on Windows: an exclusive open of the lock file, which another
// process's open of it keeps from being taken. (The rest: FileLockTest.cpp.)
#include "util/FileLock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "TestSupport.h"

namespace {

using testsupport::TempDir;

namespace fs = std::filesystem;

TEST(FileLock, LockFileHeldOpenIsWaitedForUntilItsLimit) {
  TempDir dir;
  const std::string path = dir.file("x.dbc");
  const std::string lockPath = dir.file(".x.dbc.co447gen-lock");
  testsupport::HeldLock held(lockPath);
  ASSERT_TRUE(held.held());
  ZFileLock lock;
  int waits = 0;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(lock.acquire(path, [&waits] { ++waits; }, std::chrono::milliseconds(300)), ZFileLock::Result::TimedOut);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(300));
  EXPECT_EQ(waits, 1);
  EXPECT_FALSE(lock.held());
  held.release();
  EXPECT_EQ(lock.acquire(path, [&waits] { ++waits; }, std::chrono::milliseconds(0)), ZFileLock::Result::Locked);
  EXPECT_EQ(waits, 1);
  // While this lock holds it, nobody else opens the lock file.
  testsupport::HeldLock other(lockPath);
  EXPECT_FALSE(other.held());
  lock.release();
  // It was there before: it stays.
  EXPECT_TRUE(fs::is_regular_file(lockPath));
}

// Windows opens one file by several names: with a trailing dot or blank,
// by its short (8.3) name, in another letter case. Each takes the file's
// one lock: while another run holds it, each waits.
TEST(FileLock, EverySpellingOfTheFileTakesItsOneLock) {
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
    ZFileLock lock;
    int waits = 0;
    EXPECT_EQ(lock.acquire(dir.file(name), [&waits] { ++waits; }, std::chrono::milliseconds(0)),
              ZFileLock::Result::TimedOut);
    EXPECT_EQ(waits, 1);
    EXPECT_EQ(ZFileLock::lockPathOf(dir.file(name)), dir.file(".taxi-database.dbc.co447gen-lock"));
  }
}

TEST(FileLock, DevicesAndDirectoriesAreNoLockFiles) {
  TempDir dir;
  fs::create_directory(dir.file(".x.dbc.co447gen-lock"));
  for (const std::string& path : {dir.file("x.dbc"), std::string("\\\\.\\pipe\\x.dbc")}) {
    ZFileLock lock;
    EXPECT_EQ(lock.acquire(path, {}, std::chrono::milliseconds(0)), ZFileLock::Result::Unusable) << path;
  }
  EXPECT_TRUE(fs::is_directory(dir.file(".x.dbc.co447gen-lock")));
}

}  // namespace
