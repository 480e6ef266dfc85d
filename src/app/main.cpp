#include <iostream>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/HeapSetup.h"
#include "util/Console.h"
#include "util/Interruption.h"

int main(int argc, char** argv) {
  installInterruptionHandlers();
  prepareConsole();
  prepareHeapForLargeRuns();
  const int exitCode = runApplication(programArguments(argc, argv));
  std::cout.flush();
  return exitCode;
}
