#include "util/FileRemoval.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "TestSupport.h"
#include "util/Paths.h"

namespace {

using testsupport::TempDir;

TEST(FileRemoval, NameGoesAtOnceSpaceLater) {
  TempDir dir;
  const std::string file = dir.file("old.h");
  testsupport::writeFile(file, std::string(1 << 20, 'x'));
  ASSERT_TRUE(removeFileInBackground(file));
  EXPECT_FALSE(fileExists(file));
  // A new file of the same name is a file of its own.
  testsupport::writeFile(file, "new");
  finishFileRemovals();
  EXPECT_EQ(testsupport::readFile(file), "new");

  EXPECT_FALSE(removeFileInBackground(dir.file("missing.h")));
  ASSERT_EQ(::mkdir(dir.file("sub").c_str(), 0755), 0);
  EXPECT_FALSE(removeFileInBackground(dir.file("sub")));
  EXPECT_TRUE(directoryExists(dir.file("sub")));
  finishFileRemovals();
}

}  // namespace
