#include "framework/Markers.h"

const char* const kVariablesMarker = "/*@@var:*/";
const char* const kStartMarker = "/*@@startStart:Start:*/";

std::string functionMarker(const std::string& name, const std::string& parameterTypes) {
  return "/*@@noslFunc:" + name + "(" + parameterTypes + "):*///function";
}

std::string callbackMarker(const std::string& name, const std::string& parameterTypes) {
  return "/*@@noslFunc:" + name + "(" + parameterTypes + "):*///callback";
}

std::string envVarMarker(const std::string& variableName) {
  return "/*@@envVar:" + variableName + ":*/";
}

void writeOpeningMarker(TextStream& stream, const std::string& openingMarker) {
  stream.line(openingMarker);
}

void writeGeneratedBegin(TextStream& stream) {
  stream.line("/*$$SIGWEAVERBEGIN*/");
  stream.line("//Dizidarovude --- begin generated block");
}

void writeMarkerBegin(TextStream& stream, const std::string& openingMarker) {
  writeOpeningMarker(stream, openingMarker);
  writeGeneratedBegin(stream);
}

void writeMarkerEnd(TextStream& stream) {
  stream.line("//--- end generated block");
  stream.line("/*$$SIGWEAVEREND*/");
  stream.line("/*@@end*/");
}
