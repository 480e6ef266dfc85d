// The factories of the NOSL files: which pieces a tester node script
// (mode 1) and a simulated node include file (mode 3) consist of, in which
// order, and with which arguments each piece is created.
#pragma once

#include "framework/ZNoslFactory.h"

class ZCANopenDS447InteractionLayerFactory : public ZNoslFactory {
 public:
  // Fills the list from the signal table of the generator, which must be a
  // ZCoNosl447InteractionLayer (false otherwise, with the list untouched):
  // the pieces of the mode, the upload response callback, the two signal
  // arithmetic functions, then per record in table order its handlers.
  bool createFunctions(FunctionList& list, ZGeneratorInterface& generator) override;

  // Appends the pieces only a file of this mode has, ahead of all others.
  virtual void createModeFunctions(FunctionList& list) = 0;
};

// Mode 1: the standalone tester node script.
class ZCANopenDS447InteractionLayerMode1Factory : public ZCANopenDS447InteractionLayerFactory {
 public:
  // Variables section, SDO channel and additional-objects functions, start
  // handler and the nine fixed stack callbacks. Creating the additional-
  // objects function prints the list of virtual devices on the console.
  void createModeFunctions(FunctionList& list) override;
};

// Mode 3: the include file of a simulated node, which provides its own
// globals, start-up and callbacks.
class ZCANopenDS447InteractionLayerMode3Factory : public ZCANopenDS447InteractionLayerFactory {
 public:
  // Nothing: the file has no pieces of its own.
  void createModeFunctions(FunctionList& list) override;
};
