// The head of the C header: the file comment with the generation moment,
// the opening of the include guard and the section banners.
#pragma once

#include <string>

#include "framework/ZNoslFunction.h"
#include "macros/LocalClock.h"

// The include guard base of an output path: the file name without directory
// and extension, upper-cased and made an identifier, with a "_" in front
// when it would start with a digit. A path without extension names a
// directory and gives an empty base.
std::string includeGuardBase(const std::string& outputPath);

class ZCo447MacroHeadPart : public ZNewFunction {
 public:
  ZCo447MacroHeadPart() : clock_(systemLocalTime) {}
  // Takes the generation moment from the given clock instead of the system's.
  explicit ZCo447MacroHeadPart(LocalClock clock) : clock_(std::move(clock)) {}

  // Reads the clock once and writes the head lines for the output path of
  // the run settings.
  bool writeBody(TextStream& stream, ZGeneratorInterface& generator) override;

 private:
  LocalClock clock_;
};
