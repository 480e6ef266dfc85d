#include "input/sources/DisplayText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <algorithm>

#include "util/StringFormat.h"

namespace {

// A finite non-zero number as 15 significant decimal digits:
// value = sign d0.d1d2...d14 x 10^exponent.
struct DecimalDigits {
  bool negative = false;
  std::string digits;
  int exponent = 0;
};

DecimalDigits decimalDigits(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.14e", std::fabs(value));
  DecimalDigits result;
  result.negative = value < 0;
  for (const char* p = text; *p != '\0' && *p != 'e'; ++p) {
    if (*p != '.') result.digits += *p;
  }
  const char* e = std::strchr(text, 'e');
  result.exponent = e != nullptr ? std::atoi(e + 1) : 0;
  return result;
}

// Adds one to a string of decimal digits; "999" becomes "1000".
void incrementDigits(std::string& digits) {
  for (std::size_t i = digits.size(); i-- > 0;) {
    if (digits[i] != '9') {
      ++digits[i];
      return;
    }
    digits[i] = '0';
  }
  digits.insert(digits.begin(), '1');
}

// The digits of the value rounded half away from zero to `decimals` places
// after the point, as one integer (value ~ result x 10^-decimals).
std::string roundedDigits(const DecimalDigits& number, int decimals) {
  const int keep = number.exponent + decimals + 1;  // digits before the cut
  if (keep <= 0) return keep == 0 && number.digits[0] >= '5' ? "1" : "0";
  std::string kept = number.digits.substr(0, static_cast<std::size_t>(keep));
  if (keep < static_cast<int>(number.digits.size())) {
    if (number.digits[static_cast<std::size_t>(keep)] >= '5') incrementDigits(kept);
  } else {
    kept.append(static_cast<std::size_t>(keep) - number.digits.size(), '0');
  }
  return kept;
}

std::string groupThousands(const std::string& integerDigits) {
  std::string grouped;
  const std::size_t n = integerDigits.size();
  for (std::size_t i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) grouped += ',';
    grouped += integerDigits[i];
  }
  return grouped;
}

// Whole numbers below 1E+15 are exact in a double: their digits need no
// rounding.
bool isSmallWholeNumber(double value) { return std::fabs(value) < 1e15 && value == std::floor(value); }

std::string wholeNumberDigits(double value) {
  return std::to_string(static_cast<long long>(std::fabs(value)));
}

// Fixed notation with exactly `decimals` places.
std::string fixedText(double value, int decimals, bool grouping) {
  std::string digits;
  if (isSmallWholeNumber(value)) {
    digits = wholeNumberDigits(value) + std::string(static_cast<std::size_t>(decimals), '0');
  } else {
    digits = roundedDigits(decimalDigits(value), decimals);
  }
  if (digits.size() < static_cast<std::size_t>(decimals) + 1) {
    digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
  }
  std::string integerPart = digits.substr(0, digits.size() - static_cast<std::size_t>(decimals));
  integerPart.erase(0, std::min(integerPart.find_first_not_of('0'), integerPart.size() - 1));
  std::string text = value < 0 ? "-" : "";
  text += grouping ? groupThousands(integerPart) : integerPart;
  if (decimals > 0) text += "." + digits.substr(digits.size() - static_cast<std::size_t>(decimals));
  return text;
}

void stripTrailingZeros(std::string& text) {
  if (text.find('.') == std::string::npos) return;
  text.erase(text.find_last_not_of('0') + 1);
  if (!text.empty() && text.back() == '.') text.pop_back();
}

std::string scientificText(const DecimalDigits& number) {
  int exponent = number.exponent;
  // Five decimals in the mantissa, four once the exponent needs three digits.
  const int decimals = std::abs(exponent) >= 100 ? 4 : 5;
  DecimalDigits mantissa = number;
  mantissa.exponent = 0;
  std::string digits = roundedDigits(mantissa, decimals);
  if (digits.size() > static_cast<std::size_t>(decimals) + 1) {  // 9.999996 became 10.00000
    digits.pop_back();
    ++exponent;
  }
  std::string text = number.negative ? "-" : "";
  text += digits.substr(0, 1) + "." + digits.substr(1);
  stripTrailingZeros(text);
  text += strFormat("E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
  return text;
}

std::string generalText(double value) {
  if (value == 0) return "0";
  if (isSmallWholeNumber(value) && std::fabs(value) < 1e11) {
    return (value < 0 ? "-" : "") + wholeNumberDigits(value);
  }
  const DecimalDigits number = decimalDigits(value);
  // From 1E-05 on, "0.0000" leaves five of the eleven characters to the
  // digits: a number that needs no more shows in full, any other shows
  // six digits in scientific notation.
  const bool fitsFixed = number.exponent == -5 && number.digits.find_last_not_of('0') < 5;
  if (number.exponent >= 11 || (number.exponent < -4 && !fitsFixed)) return scientificText(number);
  // Eleven characters of digits and point: what the integer part leaves
  // over goes to the decimals.
  const int integerDigits = number.exponent >= 0 ? number.exponent + 1 : 1;
  const int decimals = std::max(0, 10 - integerDigits);
  std::string text = fixedText(value, decimals, false);
  stripTrailingZeros(text);
  // Rounding can carry into a twelfth digit (99999999999.6).
  const std::size_t integerLength = text.find('.') == std::string::npos ? text.size() : text.find('.');
  if (integerLength - (number.negative ? 1 : 0) > 11) {
    DecimalDigits carried = number;
    carried.digits = "1";
    carried.exponent = number.exponent + 1;
    return scientificText(carried);
  }
  return text;
}

}  // namespace

NumberFormat numberFormatOfBuiltInId(int id) {
  switch (id) {
    case 0:
      return NumberFormat::general;
    case 1:
      return NumberFormat::integer;
    case 2:
      return NumberFormat::fixed2;
    case 3:
      return NumberFormat::grouped;
    case 4:
      return NumberFormat::grouped2;
    case 49:
      return NumberFormat::text;
    default:
      return id >= 5 && id <= 58 ? NumberFormat::other : NumberFormat::general;
  }
}

NumberFormat numberFormatOfCode(const std::string& code) {
  if (code == "0") return NumberFormat::integer;
  if (code == "0.00") return NumberFormat::fixed2;
  if (code == "#,##0") return NumberFormat::grouped;
  if (code == "#,##0.00") return NumberFormat::grouped2;
  if (code == "@") return NumberFormat::text;
  if (toLowerAscii(code) == "general") return NumberFormat::general;
  return NumberFormat::other;
}

bool showsAsGeneral(NumberFormat format) {
  return format == NumberFormat::general || format == NumberFormat::text || format == NumberFormat::other;
}

std::string displayNumber(double value, NumberFormat format) {
  if (!std::isfinite(value)) return "#NUM!";
  switch (format) {
    case NumberFormat::integer:
      return fixedText(value, 0, false);
    case NumberFormat::fixed2:
      return fixedText(value, 2, false);
    case NumberFormat::grouped:
      return fixedText(value, 0, true);
    case NumberFormat::grouped2:
      return fixedText(value, 2, true);
    case NumberFormat::general:
    case NumberFormat::text:
    case NumberFormat::other:
      break;
  }
  return generalText(value);
}

const char* displayBoolean(bool value) { return value ? "TRUE" : "FALSE"; }
