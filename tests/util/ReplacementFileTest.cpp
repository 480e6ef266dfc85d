// A file written whole or not at all: what stays beside the target.
#include "util/ReplacementFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "TestSupport.h"

namespace {

using testsupport::listing;
using testsupport::readFile;
using testsupport::TempDir;
using testsupport::writeFile;

// A commit puts the new bytes at the target; a discard, or an object given
// up without either, leaves the target as it was. No temporary file stays.
TEST(ReplacementFile, OnlyACommitReplacesTheTargetAndNoTemporaryFileStays) {
  const struct {
    std::string end;     // "commit", "discard" or "give up"
    const char* before;  // the target's bytes before, null: no target
    const char* after;
  } cases[] = {
      {"commit", "old", "new"},   {"commit", nullptr, "new"},   {"discard", "old", "old"},
      {"discard", nullptr, nullptr}, {"give up", "old", "old"}, {"give up", nullptr, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.end + (c.before ? " over a target" : " without a target"));
    TempDir dir;
    const std::string target = dir.file("o.can");
    if (c.before) writeFile(target, c.before);
    {
      ReplacementFile replacement;
      std::string errorText;
      ASSERT_TRUE(replacement.create(target, errorText)) << errorText;
      // As the program writes it (on Windows the file is shared for that only).
      std::FILE* file = openRegularFileForWriting(replacement.temporaryPath(), false);
      ASSERT_NE(file, nullptr);
      std::fputs("new", file);
      std::fclose(file);
      if (c.end == "commit") {
        EXPECT_TRUE(replacement.commit(errorText)) << errorText;
      } else if (c.end == "discard") {
        replacement.discard();
      }
      if (c.end != "give up") {
        EXPECT_EQ(replacement.temporaryPath(), "");
      }
    }
    EXPECT_EQ(listing(dir.path()), c.after ? "o.can " : "");
    if (c.after) {
      EXPECT_EQ(readFile(target), c.after);
    }
  }
}

// Nothing is made where no temporary file can be, and there is then nothing
// to commit.
TEST(ReplacementFile, CreateThatFailsSaysWhyAndLeavesNothingToCommit) {
  TempDir dir;
  const struct {
    std::string target;
    std::string error;
  } cases[] = {
      {dir.file("missing/o.can"), "Cannot create a temporary file in \"" + dir.file("missing/") +
                                      "\": " + testsupport::missingDirectoryReason()},
      {dir.file(""), "\"" + dir.file("") + "\" names no file"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.target);
    ReplacementFile replacement;
    std::string errorText;
    EXPECT_FALSE(replacement.create(c.target, errorText));
    EXPECT_EQ(errorText, c.error);
    EXPECT_EQ(replacement.temporaryPath(), "");
    EXPECT_FALSE(replacement.commit(errorText));
    EXPECT_EQ(errorText, "No temporary file to commit");
  }
  EXPECT_EQ(listing(dir.path()), "");
}

}  // namespace
