// The stream all console messages go to: standard output, or a stream a
// test installs to capture what the program prints.
#pragma once

#include <ostream>
#include <string>
#include <vector>

std::ostream& consoleOut();

// The arguments the program was started with, its own name left out, as
// UTF-8 texts whatever the system's code page.
std::vector<std::string> programArguments(int argc, char** argv);
// Makes the console show the UTF-8 the program prints, for as long as the
// process runs (Windows: the console's output code page, given back at
// exit; elsewhere nothing to do).
void prepareConsole();

// Redirects consoleOut() for the lifetime of this object.
class ConsoleCapture {
 public:
  explicit ConsoleCapture(std::ostream& target);
  ~ConsoleCapture();
  ConsoleCapture(const ConsoleCapture&) = delete;
  ConsoleCapture& operator=(const ConsoleCapture&) = delete;

 private:
  std::ostream* previous_;
};
