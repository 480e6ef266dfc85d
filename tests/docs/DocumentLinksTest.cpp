// The README and the documents of docs/ link to each other: every relative
// link must lead to a file of the project and, with a "#", to a heading of
// it, as Markdown viewers make anchors of headings. The README stays the
// short manual it is meant to be and points to every document.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "TestSupport.h"

namespace {

namespace fs = std::filesystem;

using testsupport::readFile;

const fs::path kSourceDir = fs::path(CO447GEN_SOURCE_DIR);
constexpr int kReadmeMostLines = 300;

// The lines of a Markdown text outside fenced code blocks, with their
// numbers, code spans blanked out (a link in backquotes is no link).
std::vector<std::pair<int, std::string>> proseLines(const std::string& markdown) {
  std::vector<std::pair<int, std::string>> lines;
  std::istringstream in(markdown);
  bool fenced = false;
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    if (line.rfind("```", 0) == 0) {
      fenced = !fenced;
      continue;
    }
    if (fenced) continue;
    bool inSpan = false;
    for (char& c : line) {
      if (c == '`') inSpan = !inSpan;
      if (inSpan) c = ' ';
    }
    lines.emplace_back(number, line);
  }
  return lines;
}

// The anchor a viewer gives a heading: lower-cased, blanks as "-", and
// every other character but letters, digits, "-" and "_" left out (the
// bytes of non-ASCII characters are kept).
std::string anchorOf(const std::string& heading) {
  std::string anchor;
  for (char c : heading) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (c >= 'A' && c <= 'Z') {
      anchor += static_cast<char>(c - 'A' + 'a');
    } else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' || byte >= 0x80) {
      anchor += c;
    } else if (c == ' ') {
      anchor += '-';
    }
  }
  return anchor;
}

// The anchors of a document's headings; a heading met again gets "-1",
// "-2", ... as viewers number them.
std::set<std::string> anchorsOf(const std::string& markdown) {
  std::set<std::string> anchors;
  std::map<std::string, int> seen;
  std::istringstream in(markdown);
  bool fenced = false;
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("```", 0) == 0) fenced = !fenced;
    if (fenced || line.empty() || line[0] != '#') continue;
    const std::size_t text = line.find_first_not_of('#');
    if (text == std::string::npos || line[text] != ' ') continue;
    const std::string anchor = anchorOf(line.substr(text + 1));
    const int times = seen[anchor]++;
    anchors.insert(times == 0 ? anchor : anchor + "-" + std::to_string(times));
  }
  return anchors;
}

struct Link {
  int line;
  std::string target;
};

// The targets of the inline links "[text](target)" of a document.
std::vector<Link> linksOf(const std::string& markdown) {
  std::vector<Link> links;
  for (const auto& [number, line] : proseLines(markdown)) {
    for (std::size_t at = line.find("]("); at != std::string::npos; at = line.find("](", at + 2)) {
      const std::size_t end = line.find(')', at + 2);
      if (end != std::string::npos) links.push_back({number, line.substr(at + 2, end - at - 2)});
    }
  }
  return links;
}

// README.md and every Markdown file below docs/.
std::vector<fs::path> documents() {
  std::vector<fs::path> found = {kSourceDir / "README.md"};
  for (const auto& entry : fs::recursive_directory_iterator(kSourceDir / "docs")) {
    if (entry.is_regular_file() && entry.path().extension() == ".md") found.push_back(entry.path());
  }
  return found;
}

TEST(DocumentLinks, EveryRelativeLinkLeadsToAFileAndItsHeading) {
  std::size_t checked = 0;
  for (const fs::path& document : documents()) {
    const std::string name = fs::relative(document, kSourceDir).generic_string();
    const std::string text = readFile(document.string());
    for (const Link& link : linksOf(text)) {
      if (link.target.find("://") != std::string::npos || link.target.rfind("mailto:", 0) == 0) continue;
      SCOPED_TRACE(name + ":" + std::to_string(link.line) + ": " + link.target);
      const std::size_t hash = link.target.find('#');
      const std::string file = link.target.substr(0, hash);
      const fs::path target = file.empty() ? document : document.parent_path() / file;
      ++checked;
      if (!fs::exists(target)) {
        ADD_FAILURE() << "no such file";
        continue;
      }
      if (hash == std::string::npos) continue;
      const std::string anchor = link.target.substr(hash + 1);
      EXPECT_EQ(anchorsOf(readFile(target.string())).count(anchor), 1u) << "no heading gives #" << anchor;
    }
  }
  EXPECT_GT(checked, 20u) << "the documents hold hardly any links";
}

TEST(DocumentLinks, ReadmeIsShortAndPointsToEveryDocument) {
  const std::string readme = readFile((kSourceDir / "README.md").string());
  int lines = 0;
  for (const char c : readme) lines += c == '\n' ? 1 : 0;
  EXPECT_LE(lines, kReadmeMostLines);

  std::map<std::string, bool> linked;
  for (const Link& link : linksOf(readme)) linked[link.target.substr(0, link.target.find('#'))] = true;
  for (const fs::path& document : documents()) {
    const std::string name = fs::relative(document, kSourceDir).generic_string();
    if (name == "README.md") continue;
    EXPECT_TRUE(linked[name]) << "the README does not link " << name;
  }
}

// The Windows zip's README.txt speaks of the zip as it is unzipped: it names
// the README and every document of docs\, and nothing of the source tree or
// of a Linux install.
TEST(DocumentLinks, WindowsReadmeNamesWhatTheZipHolds) {
  const std::string readme = readFile((kSourceDir / "packaging/windows/README.txt").string());
  for (const char* foreign : {"scripts/", "/usr/", "examples/", "docs/"}) {
    EXPECT_EQ(readme.find(foreign), std::string::npos) << foreign;
  }
  for (const fs::path& document : documents()) {
    EXPECT_NE(readme.find(document.filename().string()), std::string::npos) << document;
  }
  EXPECT_NE(readme.find("docs\\generated-files.md"), std::string::npos);
}

// The README's table of fixed texts that mislead names texts the program
// writes: each text of its first column, up to its first "…", quote or
// digit, stands in the sources.
TEST(DocumentLinks, ReadmeFixedTextsAreTheProgramsOwn) {
  const std::string readme = readFile((kSourceDir / "README.md").string());
  const std::size_t section = readme.find("\n## Fixed texts\n");
  ASSERT_NE(section, std::string::npos);
  std::string sources;
  for (const auto& entry : fs::recursive_directory_iterator(kSourceDir / "src")) {
    if (entry.is_regular_file()) sources += readFile(entry.path().string());
  }
  std::istringstream rows(readme.substr(section, readme.find("\n## ", section + 1) - section));
  std::size_t checked = 0;
  for (std::string row; std::getline(rows, row);) {
    const std::string column = row.rfind("| `", 0) == 0 ? row.substr(0, row.find(" | ")) : "";
    for (std::size_t at = column.find('`'); at != std::string::npos;) {
      const std::size_t end = column.find('`', at + 1);
      const std::string text = column.substr(at + 1, end - at - 1);
      at = column.find('`', end + 1);
      const std::string fixed = text.substr(0, text.find_first_of("\"0123456789\xe2"));  // \xe2: "…"
      if (fixed.size() < 8) continue;
      ++checked;
      EXPECT_NE(sources.find(fixed), std::string::npos) << fixed;
    }
  }
  EXPECT_GE(checked, 10u);
}

}  // namespace
