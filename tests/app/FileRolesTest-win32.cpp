// The file roles under the spellings Windows has for one file: letter case,
// short (8.3) names, drive-relative paths ("C:x"), the "\\?\" prefix, UNC
// paths and trailing dots and blanks. (Hard links and the spellings both
// platforms share: FileRolesTest.cpp.)
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "app/FileRolesFixtures.h"
#include "util/WindowsText.h"

namespace {

using namespace rolefixtures;

namespace fs = std::filesystem;

// The path with "/" turned into "\".
std::string backslashed(std::string path) {
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

std::string upperCased(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

// The short (8.3) form of an existing path; "" where the volume makes none.
std::string shortPathOf(const std::string& path) {
  const std::wstring wide = widePath(path);
  wchar_t buffer[MAX_PATH];
  const DWORD length = GetShortPathNameW(wide.c_str(), buffer, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return "";
  const std::wstring shortPath(buffer, length);
  return shortPath == wide ? "" : utf8Text(shortPath);
}

const std::string kOutSheet =
    "parameter \"-out\" (output file) names the same file as the signal description file \"";

TEST(FileRoles, WindowsSpellingsOfOneFileAreFound) {
  Files files;
  const std::string dir = files.dir.path();
  const std::string sheet = files.at("s.xlsx");
  const std::string database = files.at("db/taxi.dbc");
  const std::string drive = dir.substr(0, 2);
  ASSERT_EQ(drive[1], ':') << dir;
  const std::string logLater = "parameter \"-out\" (output file) names the same file as the log file \"";

  std::vector<Case> cases = {
      {"letter case", mode2(sheet, upperCased(dir) + "/S.XLSX"), kOutSheet + sheet + "\""},
      {"letter case of a file not there yet", mode2(dir + "/new.xlsx", upperCased(dir) + "/NEW_LOG.TXT"),
       logLater + dir + "/new_log.txt\""},
      {"backslashes only", mode2(sheet, backslashed(sheet)), kOutSheet + sheet + "\""},
      {"the \\\\?\\ prefix", mode2(sheet, "\\\\?\\" + backslashed(sheet)), kOutSheet + sheet + "\""},
      {"a trailing dot", mode2(sheet, sheet + "."), kOutSheet + sheet + "\""},
      {"a trailing blank", mode2(sheet, sheet + " "), kOutSheet + sheet + "\""},
      {"the database in other case", mode1(sheet, database, dir + "/DB/Taxi.DBC"),
       "parameter \"-out\" (output file) names the same file as the database \"" + database + "\""},
      {"a distinct file passes", mode2(sheet, dir + "/s2.xlsx"), ""},
  };
  expectMessages(cases);
}

// "C:x" names x in the working directory of drive C: the same file as the
// full path.
TEST(FileRoles, DriveRelativePathsAreFound) {
  Files files;
  const std::string dir = files.dir.path();
  const std::string drive = dir.substr(0, 2);
  const fs::path previous = fs::current_path();
  fs::current_path(testsupport::pathOf(dir + "/db"));
  const std::string driveRelative = parse(mode2(files.at("s.xlsx"), drive + "..\\s.xlsx"));
  const std::string databaseDriveRelative = parse(mode1(files.at("s.xlsx"), drive + "taxi.dbc", dir + "/db/taxi.dbc"));
  const std::string elsewhere = parse(mode2(files.at("s.xlsx"), drive + "s.xlsx"));
  fs::current_path(previous);
  EXPECT_EQ(driveRelative, kPrefix + kOutSheet + files.at("s.xlsx") + "\"\n\n");
  EXPECT_EQ(databaseDriveRelative,
            kPrefix + "parameter \"-out\" (output file) names the same file as the database \"" + drive +
                "taxi.dbc\"\n\n");
  // db\s.xlsx is another file.
  EXPECT_EQ(elsewhere, "");
}

TEST(FileRoles, ShortNamesAreFound) {
  testsupport::TempDir dir;
  fs::create_directory(testsupport::pathOf(dir.file("long directory name")));
  const std::string sheet = dir.file("long directory name/signal description.xlsx");
  testsupport::writeFile(sheet, "sheet");
  const std::string shortSheet = shortPathOf(sheet);
  const std::string shortDirectory = shortPathOf(dir.file("long directory name"));
  if (shortSheet.empty() || shortDirectory.empty()) GTEST_SKIP() << "the volume makes no short (8.3) names";
  expectMessages({
      {"the short name of the sheet", mode2(sheet, shortSheet), kOutSheet + sheet + "\""},
      {"the log not there yet under the short directory", mode2(sheet, shortDirectory + "\\signal description_log.txt"),
       "parameter \"-out\" (output file) names the same file as the log file \"" + dir.file("long directory name") +
           "/signal description_log.txt\""},
  });
}

TEST(FileRoles, UncPathsAreFound) {
  Files files;
  const std::string sheet = files.at("s.xlsx");
  const std::string unc = "\\\\localhost\\" + sheet.substr(0, 1) + "$" + backslashed(sheet.substr(2));
  if (GetFileAttributesW(widePath(unc).c_str()) == INVALID_FILE_ATTRIBUTES) {
    GTEST_SKIP() << "the administrative share \\\\localhost\\" << sheet.substr(0, 1) << "$ is not served here"
                 << (testsupport::underWine() ? " (wine serves no shares)" : "");
  }
  expectMessages({
      {"the sheet through the share", mode2(sheet, unc), kOutSheet + sheet + "\""},
      {"the log not there yet through the share", mode2(files.at("new.xlsx"), unc.substr(0, unc.size() - 6) +
                                                                                   "new_log.txt"),
       "parameter \"-out\" (output file) names the same file as the log file \"" + files.at("new_log.txt") + "\""},
  });
}

}  // namespace
