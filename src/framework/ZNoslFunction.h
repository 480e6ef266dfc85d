// A piece of a generated file: one function, handler or section of a NOSL
// script, or one part of the C header.
#pragma once

#include "util/TextStream.h"

class ZGeneratorInterface;

class ZNoslFunction {
 public:
  virtual ~ZNoslFunction() = default;
  // Appends the piece's text to the generator's output file.
  virtual bool write(ZGeneratorInterface& generator) = 0;
  // Writes the piece's complete text (marker frame included for NOSL pieces).
  virtual bool writeBody(TextStream& stream, ZGeneratorInterface& generator) = 0;
};

// A piece generated in this run; content classes implement writeBody.
class ZNewFunction : public ZNoslFunction {
 public:
  // Writes the body into the generator's output stream. False when the
  // output file is not open, the body fails or the file reported an error.
  bool write(ZGeneratorInterface& generator) override;
};
