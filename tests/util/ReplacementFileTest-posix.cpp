// Temporary files on POSIX systems. (Windows removes them through their
// own handle.)
#include "util/ReplacementFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
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
    ReplacementFile replacement;
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

// A commit that fails says why, removes the temporary file and leaves the
// target's directory as it was.
TEST(ReplacementFile, CommitThatFailsSaysWhyAndRemovesTheTemporaryFile) {
  const struct {
    const char* what;
    std::function<void(const TempDir&)> spoil;  // after create
    int error;
    const char* left;  // what the test's directory and out/ then list
  } cases[] = {
      {"a directory took the target's path", [](const TempDir& dir) { fs::create_directories(dir.file("out/o.can/x")); },
       EISDIR, "out o.can "},
      {"the directory was removed", [](const TempDir& dir) { fs::remove_all(dir.file("out")); }, ENOENT, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    fs::create_directory(dir.file("out"));
    ReplacementFile replacement;
    std::string errorText;
    ASSERT_TRUE(replacement.create(dir.file("out/o.can"), errorText)) << errorText;
    c.spoil(dir);
    EXPECT_FALSE(replacement.commit(errorText));
    EXPECT_EQ(errorText, "Cannot replace \"" + dir.file("out/o.can") + "\": " + std::strerror(c.error));
    EXPECT_EQ(replacement.temporaryPath(), "");
    EXPECT_EQ(listing(dir.path()) + (testsupport::exists(dir.file("out")) ? listing(dir.file("out")) : ""), c.left);
  }
}

}  // namespace
