#include "input/sources/DisplayText.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(DisplayText, GeneralShowsAtMostElevenCharactersOfDigits) {
  const std::vector<std::pair<double, std::string>> cases = {
      {0, "0"},
      {-0.0, "0"},
      {1, "1"},
      {-1, "-1"},
      {6000, "6000"},
      {12.5, "12.5"},
      {16.4, "16.4"},
      {0.1 + 0.2, "0.3"},
      {1.0 / 3, "0.333333333"},
      {2.0 / 3, "0.666666667"},
      {-2.0 / 3, "-0.666666667"},
      {123.456789012345, "123.456789"},
      {1234567.891, "1234567.891"},
      {12345678901.0, "12345678901"},
      {12345678901.5, "12345678902"},
      {99999999999.0, "99999999999"},
      {99999999999.6, "1E+11"},
      {123456789012.0, "1.23457E+11"},
      {-123456789012.0, "-1.23457E+11"},
      {1e15, "1E+15"},
      {0.0001, "0.0001"},
      {0.000123456789, "0.000123457"},
      // From 1E-05 on, fixed notation when all digits fit into the eleven
      // characters, else the six digits of scientific notation.
      {0.00001, "0.00001"},
      {-0.00001, "-0.00001"},
      {0.000012345, "0.000012345"},
      {0.000099999, "0.000099999"},
      {0.000012346, "0.000012346"},
      {0.0000123456, "1.23456E-05"},
      {0.0000999995, "9.99995E-05"},
      {0.0000123456789, "1.23457E-05"},
      {0.0000099999999, "1E-05"},
      {0.000001, "1E-06"},
      {1.5e-7, "1.5E-07"},
      {1e100, "1E+100"},
      {1.23456789e-100, "1.2346E-100"},
      {2.5, "2.5"},
      {9.99999999999, "10"},
  };
  for (const auto& [value, text] : cases) {
    EXPECT_EQ(displayNumber(value, NumberFormat::general), text) << value;
    EXPECT_EQ(displayNumber(value, NumberFormat::text), text) << value;
  }
}

TEST(DisplayText, BuiltInFormatsRoundHalfAwayFromZero) {
  struct Case {
    double value;
    NumberFormat format;
    std::string text;
  };
  using F = NumberFormat;
  const std::vector<Case> cases = {
      {16.4, F::integer, "16"},       {2.5, F::integer, "3"},          {-2.5, F::integer, "-3"},
      {0.4, F::integer, "0"},         {1e20, F::integer, "100000000000000000000"},
      {2.5, F::fixed2, "2.50"},       {1.005, F::fixed2, "1.01"},      {12345, F::fixed2, "12345.00"},
      {0.004, F::fixed2, "0.00"},     {-0.125, F::fixed2, "-0.13"},
      {1024, F::grouped, "1,024"},    {999.5, F::grouped, "1,000"},    {-1234567, F::grouped, "-1,234,567"},
      {123, F::grouped, "123"},       {0, F::grouped, "0"},
      {1234567.891, F::grouped2, "1,234,567.89"}, {0, F::grouped2, "0.00"}, {999999.999, F::grouped2, "1,000,000.00"},
  };
  for (const Case& c : cases) EXPECT_EQ(displayNumber(c.value, c.format), c.text) << c.value;
  EXPECT_EQ(displayNumber(std::nan(""), F::general), "#NUM!");
}

TEST(DisplayText, FormatsAreKnownByNumberAndByCode) {
  using F = NumberFormat;
  const std::vector<std::pair<int, F>> ids = {{0, F::general},   {1, F::integer}, {2, F::fixed2}, {3, F::grouped},
                                              {4, F::grouped2},  {49, F::text},   {5, F::other},  {9, F::other},
                                              {14, F::other},    {48, F::other},  {58, F::other}, {59, F::general},
                                              {164, F::general}, {-1, F::general}};
  for (const auto& [id, format] : ids) EXPECT_EQ(numberFormatOfBuiltInId(id), format) << id;
  const std::vector<std::pair<std::string, F>> codes = {
      {"General", F::general}, {"GENERAL", F::general}, {"0", F::integer},  {"0.00", F::fixed2},
      {"#,##0", F::grouped},   {"#,##0.00", F::grouped2}, {"@", F::text},   {"0.0", F::other},
      {"#,##0;-#,##0", F::other}, {"DD.MM.YYYY", F::other}, {"0%", F::other}, {"", F::other},
  };
  for (const auto& [code, format] : codes) EXPECT_EQ(numberFormatOfCode(code), format) << code;
  // The formats the readers do not apply show numbers as General does.
  for (F format : {F::general, F::text, F::other}) EXPECT_TRUE(showsAsGeneral(format));
  for (F format : {F::integer, F::fixed2, F::grouped, F::grouped2}) EXPECT_FALSE(showsAsGeneral(format));
  EXPECT_EQ(displayNumber(0.5, F::other), "0.5");
}

}  // namespace
