// Lines that the handlers of environment variables share.
#pragma once

#include "util/TextStream.h"

// From the end of a handler's variables to the test of its trigger value:
// a handler runs only on the node that ID_ActualClient names, and only for
// a value above 0. Leaves the "if" open.
void writeSenderCheck(TextStream& stream);
