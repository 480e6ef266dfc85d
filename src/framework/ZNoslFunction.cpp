#include "framework/ZNoslFunction.h"

#include "framework/ZGenerator.h"

bool ZNewFunction::write(ZGeneratorInterface& generator) {
  TextStream* stream = generator.outputStream();
  if (stream == nullptr || !stream->isOpen() || stream->failed()) return false;
  const bool result = writeBody(*stream, generator);
  return result && !stream->failed();
}
