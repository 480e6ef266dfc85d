// The stream all console messages go to: standard output, or a stream a
// test installs to capture what the program prints.
#pragma once

#include <ostream>

std::ostream& consoleOut();

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
