#include "app/VersionInfo.h"

#include "VersionTexts.h"
#include "util/StringFormat.h"

std::string versionText(const std::string& key) {
  if (key == "FileDescription") return CO447GEN_FILE_DESCRIPTION;
  if (key == "ProductName") return CO447GEN_PRODUCT_NAME;
  if (key == "CompanyName") return CO447GEN_MAKER_NAME;
  if (key == "LegalCopyright") return CO447GEN_LEGAL_NOTICE;
  return std::string();
}

const std::string& errorPrefix() {
  static const std::string prefix = strFormat("Error executing %s: ", versionText("ProductName").c_str());
  return prefix;
}
