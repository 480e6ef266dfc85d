// The early ends of a run that need POSIX (GenerationRunTest-posix.cpp),
// named on Windows with the reason they skip there.
#include <gtest/gtest.h>

namespace {

TEST(GenerationRunFailure, DatabaseCannotBeSavedKeepsOldFiles) {
  GTEST_SKIP() << "Windows has no file size limit for a process (ulimit -f, SIGXFSZ)";
}
TEST(GenerationRunFailure, OutputFileCannotBeReplacedOrWritten) {
  GTEST_SKIP() << "Windows has no file size limit for a process (ulimit -f), and the read-only attribute of a "
                  "directory does not keep files from being made in it (a read-only output: "
                  "FileSafety.ReadOnlyAttributeIsKept)";
}

}  // namespace
