// A failed save reports false and leaves the old database as it was, where
// POSIX makes it fail: permission bits, a file size limit; and a symbolic
// link to the database. (The rest: DatabaseSaveFailureTest.cpp.)
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <string>

#include "TestSupport.h"
#include "database/DatabaseSaveFixtures.h"

namespace {

using namespace savefixtures;
using testsupport::readFile;
using testsupport::TempDir;
using testsupport::writeFile;

// File permissions do not stop root, so as root the action runs in a child
// process under the unprivileged user "nobody", which then owns dir.
Outcome runWithoutPrivileges(const TempDir& dir, const std::function<Outcome()>& action) {
  if (::geteuid() != 0) return action();
  const uid_t nobody = 65534;
  ::chmod(dir.path().c_str(), 0755);
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.path())) {
    if (::lchown(entry.path().c_str(), nobody, nobody) != 0) return kNoUnprivilegedUser;
  }
  if (::chown(dir.path().c_str(), nobody, nobody) != 0) return kNoUnprivilegedUser;
  const pid_t child = ::fork();
  if (child == 0) {
    if (::setgid(nobody) != 0 || ::setuid(nobody) != 0) ::_exit(kNoUnprivilegedUser);
    ::_exit(action());
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return kNoUnprivilegedUser;
  return static_cast<Outcome>(WEXITSTATUS(status));
}


TEST(DatabaseSave, WriteProtectionKeepsTheOldDatabase) {
  const struct {
    const char* what;
    mode_t directoryMode, fileMode;
    Outcome outcome;
  } cases[] = {
      // No lock file can be made beside the database: it is not opened.
      {"read-only directory", 0555, 0644, kOpenFailed},
      {"read-only database file", 0755, 0444, kSaveFailed},
  };
  for (const auto& c : cases) {
    TempDir dir;
    const std::string sub = dir.file("db");
    std::filesystem::create_directory(sub);
    const std::string path = sub + "/node.dbc";
    writeFile(path, kOldDatabase);
    ::chmod(path.c_str(), c.fileMode);
    ::chmod(sub.c_str(), c.directoryMode);
    const Outcome outcome = runWithoutPrivileges(dir, [&path] { return openAddSave(path); });
    if (outcome == kNoUnprivilegedUser) GTEST_SKIP() << "no unprivileged user to test write protection";
    EXPECT_EQ(outcome, c.outcome) << c.what;
    EXPECT_EQ(readFile(path), kOldDatabase) << c.what;
    ::chmod(sub.c_str(), 0755);
    EXPECT_EQ(std::filesystem::directory_iterator(sub)->path().filename(), "node.dbc") << c.what;
  }
}

TEST(DatabaseSave, WriteThatFailsHalfwayKeepsTheOldDatabase) {
  TempDir dir;
  const std::string path = dir.file("node.dbc");
  // Much larger than the stream's buffer, so data is written before the end.
  std::string old = kOldDatabase;
  for (int i = 2; i < 5000; ++i) {
    old += "EV_ gs_v" + std::to_string(i) + ": 0 [0|1] \"\" 0 " + std::to_string(i) + " DUMMY_NODE_VECTOR3 Tester;\r\n";
  }
  writeFile(path, old);

  // Files may not grow beyond the old database: the new one cannot be written.
  struct rlimit saved;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  struct rlimit limited = saved;
  limited.rlim_cur = old.size();
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
  const Outcome outcome = openAddSave(path);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_EQ(outcome, kSaveFailed);
  EXPECT_EQ(readFile(path), old);
  EXPECT_EQ(testsupport::listing(dir.path()), "node.dbc ");
}

TEST(DatabaseSave, SymbolicLinkIsFollowedAndKept) {
  TempDir dir;
  const std::string target = dir.file("real.dbc");
  const std::string link = dir.file("link.dbc");
  writeFile(target, kOldDatabase);
  std::filesystem::create_symlink(target, link);
  ::chmod(target.c_str(), 0640);
  EXPECT_EQ(openAddSave(link), kSaved);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(readFile(target),
            std::string(kOldDatabase) + "EV_ gs_new: 0 [0|1] \"\" 0 2 DUMMY_NODE_VECTOR3 Tester;\r\n");
  EXPECT_EQ(std::filesystem::status(target).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                std::filesystem::perms::group_read);
}

}  // namespace
