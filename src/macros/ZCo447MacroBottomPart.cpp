#include "macros/ZCo447MacroBottomPart.h"

bool ZCo447MacroBottomPart::writeBody(TextStream& stream, ZGeneratorInterface&) {
  stream.line("#endif");
  return true;
}
