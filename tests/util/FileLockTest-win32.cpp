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
  FileLock lock;
  int waits = 0;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(lock.acquire(path, [&waits] { ++waits; }, std::chrono::milliseconds(300)), FileLock::Result::TimedOut);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(300));
  EXPECT_EQ(waits, 1);
  EXPECT_FALSE(lock.held());
  held.release();
  EXPECT_EQ(lock.acquire(path, [&waits] { ++waits; }, std::chrono::milliseconds(0)), FileLock::Result::Locked);
  EXPECT_EQ(waits, 1);
  // While this lock holds it, nobody else opens the lock file.
  testsupport::HeldLock other(lockPath);
  EXPECT_FALSE(other.held());
  lock.release();
  // It was there before: it stays.
  EXPECT_TRUE(fs::is_regular_file(lockPath));
}

TEST(FileLock, DevicesAndDirectoriesAreNoLockFiles) {
  TempDir dir;
  fs::create_directory(dir.file(".x.dbc.co447gen-lock"));
  for (const std::string& path : {dir.file("x.dbc"), std::string("\\\\.\\pipe\\x.dbc")}) {
    FileLock lock;
    EXPECT_EQ(lock.acquire(path, {}, std::chrono::milliseconds(0)), FileLock::Result::Unusable) << path;
  }
  EXPECT_TRUE(fs::is_directory(dir.file(".x.dbc.co447gen-lock")));
}

}  // namespace
