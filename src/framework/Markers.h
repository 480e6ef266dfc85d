// The marker frame that encloses every piece of a NOSL file, so that each
// piece can be recognised in the file and generated text can be told from
// text a user wrote between markers of the same form.
#pragma once

#include <string>

#include "util/TextStream.h"

// "/*@@noslFunc:" name "(" types "):*///function"; types comma-separated, no blanks.
std::string functionMarker(const std::string& name, const std::string& parameterTypes);
// The same, ending in "):*///callback": a function the node's stack calls.
std::string callbackMarker(const std::string& name, const std::string& parameterTypes);
// "/*@@envVar:" name ":*/": the handler of one environment variable.
std::string envVarMarker(const std::string& variableName);
// "/*@@var:*/": the variables section.
extern const char* const kVariablesMarker;
// "/*@@startStart:Start:*/": the start handler.
extern const char* const kStartMarker;

// Writes the opening marker line.
void writeOpeningMarker(TextStream& stream, const std::string& openingMarker);
// Writes the two lines that open the generated text.
void writeGeneratedBegin(TextStream& stream);
// Writes the opening marker followed by the generated-text begin lines.
void writeMarkerBegin(TextStream& stream, const std::string& openingMarker);
// Writes the end lines of the generated text and the closing marker.
void writeMarkerEnd(TextStream& stream);
