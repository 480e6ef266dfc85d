// What stands at a path, as every caller asks it, and whether the file
// there may be read. (Links and FIFOs: PathKindTest-posix.cpp.)
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "util/Paths.h"

namespace {

TEST(PathKind, WhatStandsAtAPath) {
  testsupport::TempDir dir;
  testsupport::writeFile(dir.file("f.txt"), "x");
  std::filesystem::create_directory(dir.file("d"));
  const std::string device = kDirectorySeparator == '/' ? "/dev/null" : "NUL";
  struct Case {
    std::string path;
    PathKind kind;
    bool readable;
  };
  const std::vector<Case> cases = {
      {"", PathKind::Nothing, false},
      {dir.file("missing.txt"), PathKind::Nothing, false},
      {dir.file("missing") + "/", PathKind::Nothing, false},
      {dir.file("f.txt"), PathKind::RegularFile, true},
      {dir.path() + "\\f.txt", PathKind::RegularFile, true},
      {dir.file("d"), PathKind::Directory, false},
      {dir.file("d") + "\\", PathKind::Directory, false},
      {device, PathKind::Other, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(pathKindAt(c.path, true), c.kind);
    EXPECT_EQ(pathKindAt(c.path, false), c.kind);
    EXPECT_EQ(isReadableFile(c.path), c.readable);
  }
}

}  // namespace
