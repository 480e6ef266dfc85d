// The code pages of the 8-bit text of BIFF5 workbooks.
#include "input/sources/CodePage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(CodePage, BytesAboveAsciiFollowTheCodePage) {
  struct Case {
    uint16_t codePage;
    std::string bytes;
    std::string utf8;
  };
  const std::vector<Case> cases = {
      {1252, "\x80\x9F\xA0\xFF", "\xE2\x82\xAC\xC5\xB8\xC2\xA0\xC3\xBF"},
      {1252, "\x81\x8D", "\xC2\x81\xC2\x8D"},  // undefined: the control character of the number
      {1250, "\x8A\xA5\xFE", "\xC5\xA0\xC4\x84\xC5\xA3"},
      {1251, "\x80\xC0\xFF", "\xD0\x82\xD0\x90\xD1\x8F"},
      {1253, "\xC1", "\xCE\x91"},
      {10000, "\x80\xA5", "\xC3\x84\xE2\x80\xA2"},
      {32768, "\x80", "\xC3\x84"},
      {437, "\x80", "\xE2\x82\xAC"},  // not supported: read as Windows-1252
      {1252, std::string("a\0b", 3), "ab"},
  };
  for (const Case& c : cases) {
    std::string utf8 = "=";
    appendCodePageText(utf8, c.bytes.data(), c.bytes.size(), c.codePage);
    EXPECT_EQ(utf8, "=" + c.utf8) << c.codePage;
  }
}

}  // namespace
