#include "macros/ZCo447MacroBottomPart.h"

bool ZCo447MacroBottomPart::writeBody(ZTextStream& stream, ZGeneratorInterface&) {
  stream.line("#endif");
  return true;
}
