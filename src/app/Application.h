// The program's entry sequence, callable from tests.
#pragma once

#include <string>
#include <vector>

// Exit codes of the program.
constexpr int kExitSuccess = 0;        // output produced
constexpr int kExitUsage = 1;          // no arguments or a command-line error
constexpr int kExitGenerationFailed = 2;  // the generation run failed

// Banner, framework initialisation, command line, generation run. arguments
// are the items after the program name. Console output goes to consoleOut(),
// the framework failure message to standard error.
int runApplication(const std::vector<std::string>& arguments);
