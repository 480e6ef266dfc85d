// The line writer where POSIX has its own: a file size limit, FIFOs,
// devices and symbolic links. (The rest: TextStreamTest.cpp.)
#include "util/TextStream.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>

#include "TestSupport.h"

namespace {

// A file that may not grow (a file size limit, with SIGXFSZ ignored as the
// program does): the failure of a chunk written on the way must still
// reach the caller.
TEST(TextStream, FailedChunkWriteIsReportedAtClose) {
  testsupport::TempDir dir;
  struct rlimit saved;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  struct rlimit limited = saved;
  limited.rlim_cur = 1 << 20;
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  TextStream out;
  ASSERT_TRUE(out.open(dir.file("limited.txt"), TextStream::Mode::Truncate));
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
  for (int i = 0; i < 100000; ++i) out.line(std::string(64, 'x'));
  const bool closed = out.close();
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(closed);
  EXPECT_TRUE(out.failed());
}

// Only regular files are written: a link is not followed (its target stays
// as it is), and a FIFO, a device or a directory is refused without
// blocking.
TEST(TextStream, OnlyRegularFilesAreOpened) {
  testsupport::TempDir dir;
  testsupport::writeFile(dir.file("target.txt"), "target");
  std::filesystem::create_symlink(dir.file("target.txt"), dir.file("link.txt"));
  std::filesystem::create_symlink(dir.file("nowhere.txt"), dir.file("dangling.txt"));
  ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0644), 0);
  std::filesystem::create_directory(dir.file("dir"));
  for (const std::string name : {"link.txt", "dangling.txt", "fifo", "dir"}) {
    for (const auto mode : {TextStream::Mode::Truncate, TextStream::Mode::Append}) {
      TextStream out;
      EXPECT_FALSE(out.open(dir.file(name), mode)) << name;
    }
  }
  {
    TextStream device;
    EXPECT_FALSE(device.open("/dev/null", TextStream::Mode::Truncate));
  }
  EXPECT_EQ(testsupport::readFile(dir.file("target.txt")), "target");
  EXPECT_FALSE(testsupport::exists(dir.file("nowhere.txt")));
  TextStream regular;
  EXPECT_TRUE(regular.open(dir.file("target.txt"), TextStream::Mode::Append));
  regular.write("+");
  EXPECT_TRUE(regular.close());
  EXPECT_EQ(testsupport::readFile(dir.file("target.txt")), "target+");
}

}  // namespace
