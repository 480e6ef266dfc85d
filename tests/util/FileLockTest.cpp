// The lock that runs sharing a database take: what may stand at the lock
// path, and which lock files a run removes.
#include "util/FileLock.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "TestSupport.h"

namespace {

using testsupport::readFile;
using testsupport::TempDir;
using testsupport::writeFile;

namespace fs = std::filesystem;

constexpr std::chrono::milliseconds kNoWait{0};

TEST(FileLock, LockPathLiesBesideTheFile) {
  EXPECT_EQ(ZFileLock::lockPathOf("./x.dbc"), "./.x.dbc.co447gen-lock");
  EXPECT_EQ(ZFileLock::lockPathOf("x.dbc"), ".x.dbc.co447gen-lock");
  EXPECT_EQ(ZFileLock::lockPathOf("db\\x.dbc"), "db/.x.dbc.co447gen-lock");
}

// Anything but a regular file at the lock path is refused and left as it
// was: a directory, a FIFO (once locked and then deleted), a device, a
// symbolic link (not followed, whether it leads anywhere or not).
TEST(FileLock, OnlyARegularFileServesAsLock) {
  enum Kind { Directory, Fifo, Device, LinkToFile, DanglingLink };
  const struct {
    const char* what;
    Kind kind;
  } cases[] = {
      {"directory", Directory}, {"FIFO", Fifo}, {"device", Device},
      {"link to a file", LinkToFile}, {"dangling link", DanglingLink},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    const std::string path = dir.file("x.dbc");
    const std::string lockPath = dir.file(".x.dbc.co447gen-lock");
    const std::string elsewhere = dir.file("elsewhere.txt");
    switch (c.kind) {
      case Directory:
        fs::create_directory(lockPath);
        break;
      case Fifo:
        ASSERT_EQ(::mkfifo(lockPath.c_str(), 0644), 0);
        break;
      case Device:
        if (::mknod(lockPath.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
          SUCCEED() << "no device can be made here (not root)";
          continue;
        }
        break;
      case LinkToFile:
        writeFile(elsewhere, "the user's");
        fs::create_symlink(elsewhere, lockPath);
        break;
      case DanglingLink:
        fs::create_symlink(elsewhere, lockPath);
        break;
    }
    const fs::file_status before = fs::symlink_status(lockPath);
    ZFileLock lock;
    EXPECT_EQ(lock.acquire(path, {}, kNoWait), ZFileLock::Result::Unusable);
    EXPECT_FALSE(lock.held());
    lock.release();
    EXPECT_EQ(fs::symlink_status(lockPath).type(), before.type());
    if (c.kind == LinkToFile) {
      EXPECT_EQ(readFile(elsewhere), "the user's");
    }
    if (c.kind == DanglingLink) {
      EXPECT_FALSE(fs::exists(elsewhere));
    }
  }
}

// A lock file this lock made is removed when it lets go; one that was
// there before (a killed run's, another user's) is locked and stays.
TEST(FileLock, OnlyALockFileOfItsOwnMakingIsRemoved) {
  TempDir dir;
  const std::string path = dir.file("x.dbc");
  const std::string lockPath = dir.file(".x.dbc.co447gen-lock");
  {
    ZFileLock lock;
    ASSERT_EQ(lock.acquire(path, {}, kNoWait), ZFileLock::Result::Locked);
    EXPECT_TRUE(fs::is_regular_file(lockPath));
  }
  EXPECT_FALSE(fs::exists(lockPath));

  writeFile(lockPath, "");
  ::chmod(lockPath.c_str(), 0444);
  {
    ZFileLock lock;
    ASSERT_EQ(lock.acquire(path, {}, kNoWait), ZFileLock::Result::Locked);
    // Held: another lock on the same file waits and gives up.
    ZFileLock other;
    int waits = 0;
    EXPECT_EQ(other.acquire(path, [&waits] { ++waits; }, std::chrono::milliseconds(50)),
              ZFileLock::Result::TimedOut);
    EXPECT_EQ(waits, 1);
  }
  EXPECT_TRUE(fs::is_regular_file(lockPath));
}

// No lock file can be made where the directory is missing.
TEST(FileLock, NoLockFileCanBeMade) {
  TempDir dir;
  ZFileLock lock;
  EXPECT_EQ(lock.acquire(dir.file("missing/x.dbc"), {}, kNoWait), ZFileLock::Result::Unusable);
  EXPECT_FALSE(fs::exists(dir.file("missing")));
}

}  // namespace
