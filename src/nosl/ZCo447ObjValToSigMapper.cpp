#include "nosl/ZCo447ObjValToSigMapper.h"

#include "framework/Markers.h"
#include "nosl/NoslValues.h"

bool ZCo447ObjValToSigMapper::writeBody(TextStream& stream, ZGeneratorInterface&) {
  const std::string variable = "stval_" + objectKeyText(objectIndex_, objectSubIndex_);
  writeMarkerBegin(stream, envVarMarker(variable));
  stream.line("on envVar " + variable);
  stream.line("{");
  writeHandlerBody(stream);
  stream.line("}");
  writeMarkerEnd(stream);
  return true;
}
