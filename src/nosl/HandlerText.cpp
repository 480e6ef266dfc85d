#include "nosl/HandlerText.h"

namespace {

const char* const kSenderCheck[] = {
    "  // --------------------------",
    "",
    "  // check if this node is the actual sender",
    "  if(getValue(ID_ActualClient) != gNodeId) {",
    "    return;",
    "  } // if",
    "",
    "  if(getValue(this) > 0) {",
};

}  // namespace

void writeSenderCheck(TextStream& stream) { stream.lines(kSenderCheck); }
