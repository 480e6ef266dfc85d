#include "util/Identifier.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "util/StringFormat.h"

namespace {

TEST(Identifier, SanitizeRule) {
  const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
      {"Taxi state", "", "Taxi_state"},
      {"1st-ok", "", "1st_ok"},
      {"  ", "", "__"},
      {"", "fallback", "fallback"},
      {"a__b", "", "a__b"},
      {"T\xc3\xa4ter", "", "T__ter"},  // each byte of a UTF-8 character
      {std::string(130, 'x'), "", std::string(127, 'x')},
      {std::string(126, 'x') + "\xc3\xa4", "", std::string(126, 'x') + "_"},
  };
  for (const auto& [text, fallback, expected] : cases) EXPECT_EQ(sanitizeIdentifier(text, fallback), expected);
  // Appending gives the same as the rule, without the fallback, and when
  // asked of the lower-cased text.
  for (const auto& [text, fallback, expected] : cases) {
    for (const bool lowerCase : {false, true}) {
      std::string out = "p_";
      appendIdentifier(out, text, lowerCase);
      EXPECT_EQ(out, "p_" + sanitizeIdentifier(lowerCase ? toLowerAscii(text) : text, "")) << text;
    }
  }
  std::string mixed;
  appendIdentifier(mixed, "Taxi State-2", true);
  EXPECT_EQ(mixed, "taxi_state_2");
}

}  // namespace
