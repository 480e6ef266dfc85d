// The rows of the bad-input table that need POSIX (BadInputTest-posix.cpp),
// named on Windows with the reason they skip there.
#include <gtest/gtest.h>

namespace {

TEST(BadInput, ReadOnlyDatabase) {
  GTEST_SKIP() << "permission bits are POSIX's (the read-only attribute: FileSafety.ReadOnlyAttributeIsKept)";
}
TEST(BadInput, OutputDirectoryNotWritable) {
  GTEST_SKIP() << "the read-only attribute of a directory does not keep files from being made in it; access "
                  "control lists would, and the test host sets none";
}

}  // namespace
