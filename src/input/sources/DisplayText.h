// "The text the cell displays" for the native cell sources: how a number is
// shown in the few number formats the readers apply, and how the other
// kinds of cell values are shown.
#pragma once

#include <string>

enum class NumberFormat {
  general,     // "General"
  integer,     // "0"
  fixed2,      // "0.00"
  grouped,     // "#,##0"
  grouped2,    // "#,##0.00"
  text,        // "@": a number in a text cell still shows as in General
  other,       // dates, percentages, currencies, fractions, scientific and
               // custom formats: not applied, the number shows as in General
};

// The format of a built-in format number (0 General, 1 "0", 2 "0.00",
// 3 "#,##0", 4 "#,##0.00", 49 "@"; other for the remaining built-in
// formats 5 to 58); general for a number that names no built-in format.
NumberFormat numberFormatOfBuiltInId(int id);
// The format a format code stands for: the codes of the built-in formats
// above (a document may store them under numbers of its own; "General" in
// any case), other for every other code.
NumberFormat numberFormatOfCode(const std::string& code);

// Whether a number in this format shows as in General (general, text and
// other).
bool showsAsGeneral(NumberFormat format);

// The number as a cell in this format shows it. General: integers without a
// decimal point, at most 11 digits and decimal point (the sign not
// counted), scientific notation for magnitudes from 1E+11 and below 1E-05
// ("1.23457E+11", "1E-06"). From 1E-05 to below 1E-04 a number shows in
// fixed notation when all its digits fit into the 11 characters
// ("0.00001", "0.000012345"), otherwise in scientific notation, which
// keeps one digit more ("1.23457E-05"). Rounding is half away from zero
// on the value's 15 significant decimal digits.
std::string displayNumber(double value, NumberFormat format);

// "TRUE" or "FALSE".
const char* displayBoolean(bool value);
