#include "app/Application.h"

#include <clocale>
#include <iostream>
#include <new>

#include "app/CommandLine.h"
#include "app/Generation.h"
#include "app/RunSettings.h"
#include "VersionTexts.h"
#include "util/Console.h"

namespace {

// Puts the C library into its neutral locale, so that number formatting and
// parsing do not depend on the user's environment.
bool initializeFramework() { return std::setlocale(LC_ALL, "C") != nullptr; }

}  // namespace

int runApplication(const std::vector<std::string>& arguments) {
  std::ostream& out = consoleOut();
  // Conventional extras, recognised only as the first argument.
  if (!arguments.empty() && arguments.front() == "--version") {
    out << CO447GEN_PRODUCT_NAME << " " << CO447GEN_VERSION << "\n";
    return kExitSuccess;
  }

  printBanner(out);
  if (!initializeFramework()) {
    std::cerr << "Fatal Error: MFC initialization failed\n";
    return kExitUsage;
  }
  if (!arguments.empty() && arguments.front() == "--help") {
    printUsage(out);
    return kExitSuccess;
  }
  if (arguments.empty()) {
    printUsage(out);
    return kExitUsage;
  }
  bool generated = false;
  try {
    if (!parseCommandLine(arguments, runSettings(), out)) return kExitUsage;
    generated = runGeneration();
  } catch (const std::bad_alloc&) {
    // Memory ran out outside the run itself, which reports its own.
    reportOutOfMemory(nullptr);
  }
  if (!generated) {
    out << "ERROR GENERATING\n";
    return kExitGenerationFailed;
  }
  return kExitSuccess;
}
