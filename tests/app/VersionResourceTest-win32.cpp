// The file's Properties on Windows show the texts of the banner: the
// version resource of co447gen.exe is made from the same build texts.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "VersionTexts.h"
#include "app/VersionInfo.h"
#include "util/WindowsText.h"

namespace {

TEST(VersionResource, PropertiesShowTheBannerTexts) {
  const std::wstring program = widePath(CO447GEN_BINARY);
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(program.c_str(), &ignored);
  ASSERT_GT(size, 0u) << "no version resource in " << CO447GEN_BINARY;
  std::vector<char> block(size);
  ASSERT_TRUE(GetFileVersionInfoW(program.c_str(), 0, size, block.data()));

  // The first language and code page select the string table.
  struct Translation {
    WORD language;
    WORD codePage;
  }* translation = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                             &length));
  ASSERT_GE(length, sizeof(Translation));
  wchar_t table[64];
  swprintf(table, 64, L"\\StringFileInfo\\%04x%04x\\", translation->language, translation->codePage);

  const std::vector<std::pair<std::wstring, std::string>> expected = {
      {L"FileDescription", versionText("FileDescription")}, {L"ProductName", versionText("ProductName")},
      {L"CompanyName", versionText("CompanyName")},         {L"LegalCopyright", versionText("LegalCopyright")},
      {L"ProductVersion", CO447GEN_VERSION},
  };
  for (const auto& [key, text] : expected) {
    wchar_t* value = nullptr;
    UINT characters = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), (table + key).c_str(), reinterpret_cast<void**>(&value), &characters))
        << utf8Text(key);
    EXPECT_EQ(utf8Text(std::wstring(value, characters > 0 ? characters - 1 : 0)), text) << utf8Text(key);
  }
}

}  // namespace
