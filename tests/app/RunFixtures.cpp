#include "app/RunFixtures.h"

#include <cstdio>
#include <filesystem>

namespace runfixtures {

namespace fs = std::filesystem;

std::vector<std::string> mode1Arguments(const std::string& sheet) {
  return {"-m", "1", "-id", "5", "-idt", "16", "-sdb", "./taxi.dbc", "-xls", sheet,
          "-out", "./tester.can", "-nme", "Taximeter", "-tme", "Tester"};
}

std::vector<std::string> mode2Arguments(const std::string& sheet) {
  return {"-m", "2", "-xls", sheet, "-out", "./macros.h", "-nme", "Taximeter", "-tme", "Tester"};
}

std::vector<std::string> mode3Arguments(const std::string& sheet) {
  return {"-m", "3", "-sdb", "./taxi.dbc", "-xls", sheet, "-out", "./node.cin", "-nme", "Taximeter", "-tme", "Tester"};
}

void placeSheet(const testsupport::TempDir& dir, const std::string& extension) {
  fs::copy_file(testsupport::dataPath("app/basic" + extension), dir.file("signals" + extension));
  fs::copy_file(testsupport::dataPath("app/basic.ini"), dir.file("signals.ini"));
}

std::string largeSheet(int signals) {
  std::string sheet = "Object index,Object name,Sub-index,Object size,Signal name,Short name,Signal offset,"
                      "Signal size,Reserved,Used,Command,Used not implemented,Used status,Used command,Used PDO\n";
  for (int i = 0; i < signals; ++i) {
    char row[200];
    std::snprintf(row, sizeof row, "%x,Object,%x,32,Signal %d,S%d,%d,4,,x,%s,x,x,,\n", 0x6000 + i / 64,
                  (i / 8) % 8, i, i, (i % 8) * 4, i % 3 == 0 ? "x" : "");
    sheet += row;
  }
  return sheet;
}

bool endsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::vector<std::string> leftovers(const std::string& directory) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(testsupport::pathOf(directory))) {
    const std::string name = entry.path().filename().string();
    if (name.find(".co447gen-") != std::string::npos) names.push_back(name);
  }
  return names;
}

}  // namespace runfixtures
