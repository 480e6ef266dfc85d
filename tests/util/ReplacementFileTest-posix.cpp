// Temporary files on POSIX systems. (Windows removes them through their
// own handle.)
#include "util/ReplacementFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "TestSupport.h"

namespace {

using testsupport::listing;
using testsupport::TempDir;

namespace fs = std::filesystem;

// The output's directory is moved away and a link to another directory
// takes its path while the run writes: the temporary file that is given up
// leaves the moved directory all the same.
TEST(ReplacementFile, TemporaryFileIsRemovedFromTheDirectoryItWasMadeIn) {
  for (const bool commit : {true, false}) {
    SCOPED_TRACE(commit ? "commit" : "discard");
    TempDir dir;
    fs::create_directory(dir.file("out"));
    fs::create_directory(dir.file("elsewhere"));
    ZReplacementFile replacement;
    std::string errorText;
    ASSERT_TRUE(replacement.create(dir.file("out/o.can"), errorText)) << errorText;
    fs::rename(dir.file("out"), dir.file("moved"));
    fs::create_directory_symlink(dir.file("elsewhere"), dir.file("out"));
    if (commit) {
      EXPECT_FALSE(replacement.commit(errorText));
    }
    replacement.discard();
    EXPECT_EQ(listing(dir.file("moved")) + listing(dir.file("elsewhere")), "");
  }
}

}  // namespace
