// Paths where Windows has its own: drive letters, "\" as the separator
// appended to a directory path, and device names and the device namespace,
// which are never opened. (The rest: PathsTest.cpp.)
#include "util/Paths.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "util/TextStream.h"

namespace {

using testsupport::TempDir;

TEST(Paths, DriveLettersAndTheBackslashAppended) {
  EXPECT_EQ(kDirectorySeparator, '\\');
  struct Case {
    std::string path, drive, directory, name, extension;
  };
  const std::vector<Case> cases = {
      {"C:\\gen\\node", "C:", "\\gen\\node\\", "", ""},
      {"c:/gen/node//", "c:", "/gen/node\\", "", ""},
      {"C:out.can", "C:", "", "out", ".can"},
      {"D:/x/sheet.xlsx", "D:", "/x/", "sheet", ".xlsx"},
      {"C:", "C:", "", "", ""},
      {"1:\\x.h", "", "1:\\", "x", ".h"},
      {"\\\\server\\share\\dir", "", "\\\\server\\share\\dir\\", "", ""},
  };
  for (const Case& c : cases) {
    const SplitPath parts = splitPath(c.path);
    EXPECT_EQ(parts.drive, c.drive) << c.path;
    EXPECT_EQ(parts.directory, c.directory) << c.path;
    EXPECT_EQ(parts.name, c.name) << c.path;
    EXPECT_EQ(parts.extension, c.extension) << c.path;
  }
  SplitPath ini = splitPath("D:/x/sheet.xlsx");
  ini.extension = ".ini";
  EXPECT_EQ(joinPath(ini), "D:/x/sheet.ini");
  EXPECT_EQ(applyDirectoryPathRule("C:\\gen\\node//"), "C:\\gen\\node\\");
}

// Device names, also with an extension, a trailing blank or in a
// directory, exist but are no regular files; nothing opens them. Names
// that only look like them are files like any other.
TEST(Paths, DeviceNamesAreNeverOpened) {
  TempDir dir;
  for (const std::string device : {"NUL", "nul", "CON", "con ", "COM1", "com9.txt", "LPT1", "nul.txt", "AUX.h",
                                   "PRN", "CONIN$", "dir/NUL", "C:NUL", "\\\\.\\pipe\\x", "//./COM1", "COM0",
                                   "lpt0.txt", "COM\xc2\xb9", "LPT\xc2\xb3.log"}) {
    EXPECT_EQ(pathKindAt(device, true), PathKind::Other) << device;
    EXPECT_EQ(pathKindAt(device, false), PathKind::Other) << device;
    EXPECT_TRUE(isReadableFile(device)) << device;
    EXPECT_FALSE(isWritable(device)) << device;
    EXPECT_FALSE(deleteFile(device)) << device;
    for (const auto mode : {TextStream::Mode::Truncate, TextStream::Mode::Append}) {
      TextStream out;
      EXPECT_FALSE(out.open(device, mode)) << device;
    }
  }
  for (const std::string name : {"COM10", "nullx.txt", "CONSOLE", "xNUL", "LPT"}) {
    EXPECT_EQ(pathKindAt(dir.file(name), true), PathKind::Nothing) << name;
    TextStream out;
    EXPECT_TRUE(out.open(dir.file(name), TextStream::Mode::Truncate)) << name;
    out.line("x");
    EXPECT_TRUE(out.close()) << name;
    EXPECT_EQ(pathKindAt(dir.file(name), true), PathKind::RegularFile) << name;
  }
  EXPECT_EQ(testsupport::listing(dir.path()).size(), std::string("COM10 nullx.txt CONSOLE xNUL LPT ").size());
}

}  // namespace
