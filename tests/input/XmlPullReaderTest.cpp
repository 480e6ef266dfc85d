#include "input/sources/XmlPullReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

// The events of a document as text: "<name a=value>", "</name>", "'text'",
// "END" or "ERROR". Read from memory, or streamed in pieces of chunk bytes.
std::string events(const std::string& document, std::size_t chunk = 0) {
  std::size_t at = 0;
  XmlPullReader reader = chunk == 0 ? XmlPullReader(document)
                                     : XmlPullReader([&](char* buffer, std::size_t size) -> long long {
                                         const std::size_t n = std::min({size, chunk, document.size() - at});
                                         std::memcpy(buffer, document.data() + at, n);
                                         at += n;
                                         return static_cast<long long>(n);
                                       });
  std::string out;
  for (int i = 0; i < 100; ++i) {
    std::string value;
    switch (reader.next()) {
      case XmlPullReader::Event::startElement:
        out += "<" + std::string(reader.name());
        if (reader.attribute("a", value)) out += " a=" + value;
        out += ">";
        break;
      case XmlPullReader::Event::endElement:
        out += "</" + std::string(reader.name()) + ">";
        break;
      case XmlPullReader::Event::text:
        out += "'" + std::string(reader.text()) + "'";
        break;
      case XmlPullReader::Event::end:
        return out + "END";
      case XmlPullReader::Event::error:
        return out + "ERROR";
    }
  }
  return out + "...";
}

TEST(XmlPullReader, StreamedAndInMemoryDocumentsGiveTheSameEvents) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"<?xml version=\"1.0\"?>\r\n<!-- c --><x:r a='1&amp;2'><c a=\"&#65;&#x42;\"/>t&lt;&gt;&quot;&apos;\r\nu"
       "<![CDATA[<raw>]]></x:r>\n",
       "<r a=1&2><c a=AB></c>'t<>\"'\nu''<raw>'</r>END"},
      {"\xEF\xBB\xBF<!DOCTYPE r [<!ENTITY e \"boom\">]><r>&e;</r>", "<r>ERROR"},
      {"<r><a></r>", "<r><a>ERROR"},
      {"<r><a>", "<r><a>ERROR"},
      {"<r a=1/>", "ERROR"},
      {"<r a=\"<\"/>", "ERROR"},
      {"<r>&#0;x&#1114112;</r>", "<r>ERROR"},
      {"<r>&#0;x</r>", "<r>'x'</r>END"},
      {"text<r/>", "ERROR"},
      {"<r/><!-- unterminated", "<r></r>ERROR"},
      {std::string("\xFF\xFE<\0r\0>\0\xE4\0<\0/\0r\0>\0", 18), "<r>'\xC3\xA4'</r>END"},
  };
  for (const auto& [document, expected] : cases) {
    EXPECT_EQ(events(document), expected) << document;
    for (std::size_t chunk : {1, 2, 3, 7}) EXPECT_EQ(events(document, chunk), expected) << document << " / " << chunk;
  }
  // A NUL byte is an error wherever it stands; a streamed document finds it
  // when it gets there.
  const std::string withNul("<r>a\0b</r>", 10);
  EXPECT_EQ(events(withNul), "ERROR");
  EXPECT_EQ(events(withNul, 1), "<r>ERROR");
}

// A long construct (attribute, comment, text, name, ...) that goes on past
// the bytes at hand is read again from its start once more bytes have come.
// Streamed in pieces of 64 KiB, as a zip entry comes, a construct of 8 MiB
// read again after every piece would cost 512 MiB. Doubling what there is
// from one try to the next costs less than twice the document in all.
TEST(XmlPullReader, LongConstructsAreReadInLinearTime) {
  const std::size_t size = 8u << 20;
  const std::string a(size, 'a');
  const std::string blanks(size, ' ');
  std::string manyElements;
  for (std::size_t i = 0; i < size / 4; ++i) manyElements += "<c/>";
  struct Case {
    const char* what;
    std::string document;
    std::size_t events;      // events before the end
    std::size_t longestRun;  // the longest attribute value, text or name the events show
  };
  const std::vector<Case> cases = {
      {"attribute value", "<r a=\"" + a + "\"/>", 2, size},
      {"attribute name", "<r " + a + "='1'/>", 2, 1},
      {"comment", "<r><!--" + a + "--></r>", 2, 1},
      {"processing instruction", "<r><?p " + a + "?></r>", 2, 1},
      {"document type", "<!DOCTYPE r [" + a + "]><r/>", 2, 1},
      {"character data", "<r><![CDATA[" + a + "]]></r>", 3, size},
      {"text", "<r>" + a + "</r>", 3, size},
      {"element name", "<r" + a + "/>", 2, size + 1},
      {"blanks in a start tag", "<r" + blanks + "/>", 2, 1},
      {"blanks in an end tag", "<r></r" + blanks + ">", 2, 1},
      {"open element with a long name", "<r" + a + ">" + manyElements + "</r" + a + ">", 2 + size / 2, size + 1},
  };
  for (const Case& c : cases) {
    std::size_t at = 0;
    XmlPullReader reader([&](char* buffer, std::size_t wanted) -> long long {
      const std::size_t n = std::min({wanted, std::size_t{64 * 1024}, c.document.size() - at});
      std::memcpy(buffer, c.document.data() + at, n);
      at += n;
      return static_cast<long long>(n);
    });
    std::size_t events = 0;
    std::size_t longestRun = 0;
    XmlPullReader::Event event;
    while ((event = reader.next()) != XmlPullReader::Event::end && event != XmlPullReader::Event::error) {
      ++events;
      std::string_view value;
      if (reader.attribute("a", value)) longestRun = std::max(longestRun, value.size());
      if (event == XmlPullReader::Event::text) longestRun = std::max(longestRun, reader.text().size());
      if (event != XmlPullReader::Event::text) longestRun = std::max(longestRun, reader.name().size());
    }
    EXPECT_EQ(event, XmlPullReader::Event::end) << c.what;
    EXPECT_EQ(events, c.events) << c.what;
    EXPECT_EQ(longestRun, c.longestRun) << c.what;
    EXPECT_LT(reader.extraBytes(), 2 * c.document.size()) << c.what;
  }
}

TEST(XmlPullReader, NestingIsLimited) {
  std::string deep;
  for (std::size_t i = 0; i < XmlPullReader::kMaxDepth + 1; ++i) deep += "<a>";
  XmlPullReader reader(deep);
  std::size_t starts = 0;
  XmlPullReader::Event event;
  while ((event = reader.next()) == XmlPullReader::Event::startElement) ++starts;
  EXPECT_EQ(event, XmlPullReader::Event::error);
  EXPECT_EQ(starts, XmlPullReader::kMaxDepth);
}

}  // namespace
