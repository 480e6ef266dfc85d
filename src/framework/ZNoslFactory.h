// Factories: know which pieces a file of one generation mode consists of and
// create them from the signal table.
#pragma once

#include "framework/ZGenerator.h"

class ZNoslFactoryInterface {
 public:
  virtual ~ZNoslFactoryInterface() = default;
  // Fills the list from the generator's signal table.
  virtual bool createFunctions(FunctionList& list, ZGeneratorInterface& generator) = 0;
  virtual bool initialize() = 0;
};

// Common base of the factories of all modes.
class ZNoslFactory : public ZNoslFactoryInterface {
 public:
  bool initialize() override { return true; }
};
