// The tests that only POSIX systems run, each with the reason Windows has
// no counterpart: one table, so that a Windows run names them all. A row
// also checks that its test still stands in the POSIX file it names.
#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"

namespace {

struct PosixOnlyTest {
  const char* suite;
  const char* name;
  const char* file;  // below tests/
  const char* reason;
};

const char kNoFileSizeLimit[] = "Windows has no file size limit for a process (ulimit -f, SIGXFSZ)";
const char kNoSymbolicLinks[] =
    "making a symbolic link on Windows needs a privilege (SeCreateSymbolicLinkPrivilege) that a test may not have";

const PosixOnlyTest kPosixOnlyTests[] = {
    {"TextStream", "FailedChunkWriteIsReportedAtClose", "util/TextStreamTest-posix.cpp", kNoFileSizeLimit},
    {"DatabaseSave", "WriteThatFailsHalfwayKeepsTheOldDatabase", "database/DatabaseSaveFailureTest-posix.cpp",
     kNoFileSizeLimit},
    {"DatabaseSave", "SymbolicLinkIsFollowedAndKept", "database/DatabaseSaveFailureTest-posix.cpp", kNoSymbolicLinks},
    {"FileRoles", "SymbolicLinksNameTheFileTheyLeadTo", "app/FileRolesTest-posix.cpp", kNoSymbolicLinks},
    {"FileRoles", "ResolvedPaths", "app/FileRolesTest-posix.cpp", kNoSymbolicLinks},
    {"FileSafety", "FileSizeLimitIsAFailedWriteNotAKill", "app/FileSafetyTest-posix.cpp", kNoFileSizeLimit},
    {"FileSafety", "SavedDatabaseKeepsOwnerGroupAndPermissions", "app/FileSafetyTest-posix.cpp",
     "owner, group and permission bits are POSIX's (the attributes: FileSafety.ReadOnlyAttributeIsKept)"},
    {"FileSafety", "TwoUsersOnOneDatabaseLoseNoVariable", "app/FileSafetyTest-posix.cpp",
     "a second user needs a second account (setpriv under root on POSIX); the test host has one"},
    {"FileSafety", "LinkToTheDatabaseStaysALink", "app/FileSafetyTest-posix.cpp", kNoSymbolicLinks},
    {"FileSafety", "DatabaseBehindALinkToNothingIsCreatedWhereItPoints", "app/FileSafetyTest-posix.cpp",
     kNoSymbolicLinks},
    {"GenerationRunFailure", "DatabaseCannotBeSavedKeepsOldFiles", "app/GenerationRunTest-posix.cpp",
     kNoFileSizeLimit},
    {"GenerationRunFailure", "OutputFileCannotBeReplacedOrWritten", "app/GenerationRunTest-posix.cpp",
     "Windows has no file size limit for a process (ulimit -f), and the read-only attribute of a directory does "
     "not keep files from being made in it (a read-only output: FileSafety.ReadOnlyAttributeIsKept)"},
    {"BadInput", "ReadOnlyDatabase", "app/BadInputTest-posix.cpp",
     "permission bits are POSIX's (the read-only attribute: FileSafety.ReadOnlyAttributeIsKept)"},
    {"BadInput", "OutputDirectoryNotWritable", "app/BadInputTest-posix.cpp",
     "the read-only attribute of a directory does not keep files from being made in it; access control lists "
     "would, and the test host sets none"},
};

class PosixOnly : public testing::TestWithParam<PosixOnlyTest> {};

TEST_P(PosixOnly, SkipsWithItsReason) {
  const PosixOnlyTest& test = GetParam();
  const std::string source = testsupport::readFile(std::string(CO447GEN_SOURCE_DIR) + "/tests/" + test.file);
  EXPECT_NE(source.find(std::string("TEST(") + test.suite + ", " + test.name + ")"), std::string::npos)
      << test.file << " holds no test " << test.suite << "." << test.name;
  GTEST_SKIP() << test.reason;
}

INSTANTIATE_TEST_SUITE_P(OnWindows, PosixOnly, testing::ValuesIn(kPosixOnlyTests),
                         [](const testing::TestParamInfo<PosixOnlyTest>& info) {
                           return std::string(info.param.suite) + "_" + info.param.name;
                         });

}  // namespace
