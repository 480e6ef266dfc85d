// Paths on POSIX systems: no drive letters. (The rest: PathsTest.cpp.)
#include "util/Paths.h"

#include <gtest/gtest.h>

namespace {

// "C:" is no drive on POSIX systems: a directory like any other.
TEST(Paths, NoDriveLetters) {
  EXPECT_EQ(driveLength("C:\\gen"), 0u);
  const SplitPath parts = splitPath("C:\\gen\\node");
  EXPECT_EQ(parts.drive, "");
  EXPECT_EQ(parts.directory, "C:\\gen\\node/");
  EXPECT_EQ(parts.name + parts.extension, "");
}

}  // namespace
