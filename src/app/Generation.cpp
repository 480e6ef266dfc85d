#include "app/Generation.h"

#include "util/Console.h"

// Placeholder until the generation run lands: reports that nothing was generated.
bool runGeneration() {
  consoleOut() << "Generation is not available in this build\n";
  return false;
}
