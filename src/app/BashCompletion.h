// The bash completion of co447gen, written from the option tables: the
// build writes it into a file that is installed as
// share/bash-completion/completions/co447gen.
#pragma once

#include <ostream>

// Completes every option and virtual device, the help and version words as
// the first argument, and each option's value: the modes, the node ids,
// file names for the paths, ULL for the mask suffix, nothing for names.
void writeBashCompletion(std::ostream& out);
