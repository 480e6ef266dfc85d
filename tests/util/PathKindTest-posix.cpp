// What stands at a path where POSIX has its own: symbolic links, followed
// or not, and FIFOs, which are never opened to find out.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "util/Paths.h"

namespace {

TEST(PathKind, LinksAndFifos) {
  testsupport::TempDir dir;
  testsupport::writeFile(dir.file("f.txt"), "x");
  std::filesystem::create_directory(dir.file("d"));
  std::filesystem::create_symlink(dir.file("f.txt"), dir.file("to-file"));
  std::filesystem::create_symlink(dir.file("d"), dir.file("to-dir"));
  std::filesystem::create_symlink(dir.file("nowhere"), dir.file("dangling"));
  ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0644), 0);
  struct Case {
    std::string name;
    PathKind followed, asIs;
    bool readable;
  };
  const std::vector<Case> cases = {
      {"to-file", PathKind::RegularFile, PathKind::SymbolicLink, true},
      {"to-dir", PathKind::Directory, PathKind::SymbolicLink, false},
      {"dangling", PathKind::Nothing, PathKind::SymbolicLink, false},
      {"fifo", PathKind::Other, PathKind::Other, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(pathKindAt(dir.file(c.name), true), c.followed);
    EXPECT_EQ(pathKindAt(dir.file(c.name), false), c.asIs);
    EXPECT_EQ(isReadableFile(dir.file(c.name)), c.readable);
  }
}

}  // namespace
