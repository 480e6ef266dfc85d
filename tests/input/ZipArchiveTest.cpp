// The zip reader on archives written by the tests' own writer, whole and
// damaged one record at a time.
#include "input/sources/ZipArchive.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "input/ZipWriter.h"

namespace {

using testsupport::TempDir;
using zipwriter::put16;
using zipwriter::put32;
using Status = ZipArchive::Status;

// Offsets within the records.
const std::size_t kLocalFlags = 6, kLocalNameLength = 26;
const std::size_t kCentralFlags = 8, kCentralMethod = 10, kCentralCrc = 16, kCentralCompressed = 20,
                  kCentralSize = 24, kCentralOffset = 42;
const std::size_t kEndDisk = 4, kEndEntries = 10, kEndOffset = 16, kEndComment = 20;

const std::string kText = "<sheet>" + std::string(3000, 'x') + "</sheet>";

struct Case {
  const char* what;
  std::vector<zipwriter::Entry> entries;
  bool zip64;
  std::function<void(std::string& bytes, const zipwriter::Layout& at)> damage;
  bool opens;
  Status status;  // of reading entry "a"
};

std::vector<zipwriter::Entry> twoEntries(bool deflate = true, bool descriptor = false, std::string a = kText) {
  std::vector<zipwriter::Entry> entries = {zipwriter::Entry("a", a, deflate), zipwriter::Entry("b", "<b/>", deflate)};
  entries[0].descriptor = descriptor;
  return entries;
}

TEST(ZipArchive, WholeAndDamagedArchives) {
  const auto none = [](std::string&, const zipwriter::Layout&) {};
  const std::string large(3u << 20, 'q');  // read ahead on a thread
  const std::vector<Case> cases = {
      {"stored", twoEntries(false), false, none, true, Status::ok},
      {"deflated", twoEntries(), false, none, true, Status::ok},
      {"data descriptor", twoEntries(true, true), false, none, true, Status::ok},
      {"zip64", twoEntries(), true, none, true, Status::ok},
      {"zip64 with data descriptor", twoEntries(true, true), true, none, true, Status::ok},
      {"large entry read ahead", twoEntries(true, false, large), false, none, true, Status::ok},
      {"empty entry", twoEntries(true, false, ""), false, none, true, Status::ok},
      {"archive comment", twoEntries(), false,
       [](std::string& b, const zipwriter::Layout& at) {
         put16(b, at.end + kEndComment, 65535);
         b += std::string(65535, 'c');
       },
       true, Status::ok},
      {"end record beyond 64 KiB + 22 bytes from the end", twoEntries(), false,
       [](std::string& b, const zipwriter::Layout&) { b += std::string(65536, 'c'); }, false, Status::missing},
      {"cut short", twoEntries(), false, [](std::string& b, const zipwriter::Layout&) { b.resize(b.size() / 2); },
       false, Status::missing},
      {"several disks", twoEntries(), false,
       [](std::string& b, const zipwriter::Layout& at) { put16(b, at.end + kEndDisk, 1); }, false, Status::missing},
      {"entry count beyond the central directory", twoEntries(), false,
       [](std::string& b, const zipwriter::Layout& at) {
         put16(b, at.end + kEndEntries, 3);
         put16(b, at.end + kEndEntries - 2, 3);
       },
       false, Status::missing},
      {"central directory outside the file", twoEntries(), false,
       [](std::string& b, const zipwriter::Layout& at) { put32(b, at.end + kEndOffset, 0x7FFFFFFF); }, false,
       Status::missing},
      {"entry outside the file", twoEntries(), false,
       [](std::string& b, const zipwriter::Layout& at) { put32(b, at.central[1] + kCentralOffset, 0x7FFFFFFF); },
       false, Status::missing},
      {"entries that overlap", twoEntries(), false,
       [](std::string& b, const zipwriter::Layout& at) { put32(b, at.central[1] + kCentralOffset, 0); }, false,
       Status::missing},
      {"compressed size past the next entry", twoEntries(), false,
       [](std::string& b, const zipwriter::Layout& at) {
         put32(b, at.central[0] + kCentralCompressed, static_cast<uint32_t>(at.local[1]));
       },
       false, Status::missing},
      {"zip64 end record missing", twoEntries(), true,
       [](std::string& b, const zipwriter::Layout& at) { b[at.end - 76] = 'X'; }, false, Status::missing},
      {"encrypted", twoEntries(), false,
       [](std::string& b, const zipwriter::Layout& at) { put16(b, at.central[0] + kCentralFlags, 1); }, true,
       Status::damaged},
      {"method bzip2", twoEntries(), false,
       [](std::string& b, const zipwriter::Layout& at) { put16(b, at.central[0] + kCentralMethod, 12); }, true,
       Status::damaged},
      {"bad CRC-32", twoEntries(), false,
       [](std::string& b, const zipwriter::Layout& at) { b[at.central[0] + kCentralCrc] ^= 1; }, true,
       Status::damaged},
      {"bad CRC-32, read ahead", twoEntries(true, false, large), false,
       [](std::string& b, const zipwriter::Layout& at) { b[at.central[0] + kCentralCrc] ^= 1; }, true,
       Status::damaged},
      {"bad CRC-32, stored", twoEntries(false), false,
       [](std::string& b, const zipwriter::Layout& at) { b[at.central[0] + kCentralCrc] ^= 1; }, true,
       Status::damaged},
      {"declares less than it inflates to", twoEntries(), false,
       [](std::string& b, const zipwriter::Layout& at) { put32(b, at.central[0] + kCentralSize, 100); }, true,
       Status::damaged},
      {"declares more than it inflates to", twoEntries(), false,
       [](std::string& b, const zipwriter::Layout& at) { put32(b, at.central[0] + kCentralSize, 4000); }, true,
       Status::damaged},
      {"stored, sizes differ", twoEntries(false), false,
       [](std::string& b, const zipwriter::Layout& at) { put32(b, at.central[0] + kCentralSize, 10); }, true,
       Status::damaged},
      {"deflate stream cut short", twoEntries(), false,
       [](std::string& b, const zipwriter::Layout& at) { put32(b, at.central[0] + kCentralCompressed, 10); }, true,
       Status::damaged},
      {"deflate data damaged", twoEntries(), false,
       [](std::string& b, const zipwriter::Layout& at) {
         for (std::size_t i = 0; i < 8; ++i) b[at.data[0] + i] = '\xFF';
       },
       true, Status::damaged},
      {"no local header", twoEntries(), false, [](std::string& b, const zipwriter::Layout& at) { b[at.local[0]] = 'X'; },
       true, Status::damaged},
      {"local header runs past its room", twoEntries(), false,
       [](std::string& b, const zipwriter::Layout& at) { put16(b, at.local[0] + kLocalNameLength, 60000); }, true,
       Status::damaged},
      {"local header says encrypted: the central directory counts", twoEntries(), false,
       [](std::string& b, const zipwriter::Layout& at) { put16(b, at.local[0] + kLocalFlags, 1); }, true,
       Status::ok},
      {"declared size above the limit", twoEntries(), false,
       [](std::string& b, const zipwriter::Layout& at) { put32(b, at.central[0] + kCentralSize, 300u << 20); }, true,
       Status::tooLarge},
  };
  TempDir dir;
  for (const Case& c : cases) {
    zipwriter::Layout at;
    std::string bytes = zipwriter::zipBytes(c.entries, c.zip64, &at);
    c.damage(bytes, at);
    const std::string path = dir.file("case.zip");
    testsupport::writeFile(path, bytes);
    ZipArchive zip;
    ASSERT_EQ(zip.open(path), c.opens) << c.what;
    if (!c.opens) continue;
    std::string contents;
    EXPECT_EQ(zip.read("a", contents), c.status) << c.what;
    EXPECT_TRUE(contents == (c.status == Status::ok ? c.entries[0].data : std::string())) << c.what;
    EXPECT_EQ(zip.read("b", contents), Status::ok) << c.what;  // the other entry is whole
    EXPECT_EQ(contents, "<b/>") << c.what;
  }
}

}  // namespace
