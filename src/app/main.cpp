#include <iostream>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/HeapSetup.h"
#include "util/Interruption.h"

int main(int argc, char** argv) {
  installInterruptionHandlers();
  prepareHeapForLargeRuns();
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
  const int exitCode = runApplication(arguments);
  std::cout.flush();
  return exitCode;
}
