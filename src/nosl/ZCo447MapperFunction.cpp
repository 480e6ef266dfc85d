#include "nosl/ZCo447MapperFunction.h"

#include "framework/Markers.h"

bool ZCo447MapperFunction::writeBody(ZTextStream& stream, ZGeneratorInterface&) {
  const std::string variable = "sc_" + record_.signalName;
  writeMarkerBegin(stream, envVarMarker(variable));
  stream.line("on envVar " + variable);
  stream.line("{");
  writeHandlerBody(stream);
  stream.line("}");
  writeMarkerEnd(stream);
  return true;
}
