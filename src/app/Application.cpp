#include "app/Application.h"

#include <clocale>
#include <iostream>
#include <new>

#include "VersionTexts.h"
#include "app/CommandLine.h"
#include "app/CommandLineOptions.h"
#include "app/Generation.h"
#include "core/RunSettings.h"
#include "util/Console.h"

namespace {

// Puts the C library into its neutral locale, so that number formatting and
// parsing do not depend on the user's environment.
bool selectNeutralLocale() { return std::setlocale(LC_ALL, "C") != nullptr; }

// "--help" as the first argument; "-h", "help" (and "/?" on Windows) as the
// only one, where users try them.
bool asksForHelp(const std::vector<std::string>& arguments) {
  if (arguments.empty()) return false;
  const std::string& first = arguments.front();
  if (first == kHelpOption) return true;
  if (arguments.size() != 1) return false;
  for (const char* spelling : kOtherHelpSpellings) {
    if (first == spelling) return true;
  }
  return kPlatformHelpSpelling != nullptr && first == kPlatformHelpSpelling;
}

}  // namespace

int runApplication(const std::vector<std::string>& arguments) {
  std::ostream& out = consoleOut();
  // Conventional extras, recognised only as the first argument.
  if (!arguments.empty() && arguments.front() == kVersionOption) {
    out << CO447GEN_PRODUCT_NAME << " " << CO447GEN_VERSION << "\n";
    return kExitSuccess;
  }

  printBanner(out);
  if (!selectNeutralLocale()) {
    std::cerr << "Fatal Error: MFC initialization failed\n";
    return kExitUsage;
  }
  if (asksForHelp(arguments)) {
    printUsage(out);
    printHelpNotes(out);
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
