#include "util/Console.h"

#include <iostream>

namespace {
std::ostream* gConsole = &std::cout;
}

std::ostream& consoleOut() { return *gConsole; }

ConsoleCapture::ConsoleCapture(std::ostream& target) : previous_(gConsole) {
  gConsole = &target;
}

ConsoleCapture::~ConsoleCapture() { gConsole = previous_; }
