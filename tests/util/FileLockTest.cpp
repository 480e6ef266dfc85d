// The lock that runs sharing a database take: where it lies, and which lock
// files a run removes. (What may stand at the lock path: FileSafetyTest.)
#include "util/FileLock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "TestSupport.h"

namespace {

using testsupport::TempDir;
using testsupport::writeFile;

namespace fs = std::filesystem;

constexpr std::chrono::milliseconds kNoWait{0};

TEST(FileLock, LockPathLiesBesideTheFile) {
  EXPECT_EQ(FileLock::lockPathOf("./x.dbc"), "./.x.dbc.co447gen-lock");
  EXPECT_EQ(FileLock::lockPathOf("x.dbc"), ".x.dbc.co447gen-lock");
  // A backslash separates too; only POSIX systems turn it into "/".
  EXPECT_EQ(FileLock::lockPathOf("db\\x.dbc"),
            testsupport::onWindows() ? "db\\.x.dbc.co447gen-lock" : "db/.x.dbc.co447gen-lock");
}

// A lock file this lock made is removed when it lets go; one that was
// there before (a killed run's, another user's) is locked and stays, also
// when it is read-only.
TEST(FileLock, OnlyALockFileOfItsOwnMakingIsRemoved) {
  TempDir dir;
  const std::string path = dir.file("x.dbc");
  const std::string lockPath = dir.file(".x.dbc.co447gen-lock");
  {
    FileLock lock;
    ASSERT_EQ(lock.acquire(path, {}, kNoWait), FileLock::Result::Locked);
    EXPECT_TRUE(fs::is_regular_file(lockPath));
  }
  EXPECT_FALSE(fs::exists(lockPath));

  writeFile(lockPath, "");
  fs::permissions(lockPath, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  {
    FileLock lock;
    ASSERT_EQ(lock.acquire(path, {}, kNoWait), FileLock::Result::Locked);
    // Held: another lock on the same file waits and gives up.
    FileLock other;
    int waits = 0;
    EXPECT_EQ(other.acquire(path, [&waits] { ++waits; }, std::chrono::milliseconds(50)),
              FileLock::Result::TimedOut);
    EXPECT_EQ(waits, 1);
  }
  EXPECT_TRUE(fs::is_regular_file(lockPath));
}

// Runs that take the lock in turn: between one run's lock file going and
// the next one's being made, a third asks what stands at the lock path. It
// must wait its turn, never take that moment for a lock path that cannot
// be used, and never hold the lock together with another.
TEST(FileLock, LockTakenInTurnIsNeverRefusedNorShared) {
  TempDir dir;
  const std::string path = dir.file("x.dbc");
  constexpr int kRuns = 4;
  constexpr int kTurns = 150;
  std::atomic<int> refused{0};
  std::atomic<int> holders{0};
  std::atomic<int> shared{0};
  std::vector<std::thread> runs;
  for (int run = 0; run < kRuns; ++run) {
    runs.emplace_back([&] {
      for (int turn = 0; turn < kTurns; ++turn) {
        FileLock lock;
        if (lock.acquire(path, {}, std::chrono::seconds(30)) != FileLock::Result::Locked) {
          ++refused;
          continue;
        }
        if (++holders != 1) ++shared;
        std::this_thread::sleep_for(std::chrono::microseconds(100));
        --holders;
      }
    });
  }
  for (std::thread& run : runs) run.join();
  EXPECT_EQ(refused, 0);
  EXPECT_EQ(shared, 0);
  EXPECT_FALSE(fs::exists(dir.file(".x.dbc.co447gen-lock")));
}

}  // namespace
