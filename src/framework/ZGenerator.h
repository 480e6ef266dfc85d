// Generators: own the ordered list of pieces of one output file, let a
// factory fill it, then write every piece in list order and destroy it.
#pragma once

#include <deque>
#include <memory>
#include <string>

#include "framework/ZNoslFunction.h"
#include "input/ZListEntry.h"
#include "util/ReplacementFile.h"
#include "util/TextStream.h"

class ZNoslFactoryInterface;

using FunctionList = std::deque<std::unique_ptr<ZNoslFunction>>;

class ZGeneratorInterface {
 public:
  virtual ~ZGeneratorInterface() = default;
  virtual bool createFunctions(ZGeneratorInterface* generator, ZNoslFactoryInterface* factory) = 0;
  virtual bool writeFunctions(ZGeneratorInterface* generator, ZNoslFactoryInterface* factory) = 0;
  virtual std::string outputPath() const = 0;
  // The stream pieces append to while writeFunctions runs; null otherwise.
  virtual TextStream* outputStream() = 0;
};

class ZCoNoslGen : public ZGeneratorInterface {
 public:
  // Lets the factory fill the list. False only when an argument is missing;
  // the factory's own result is not passed on. The signature (the generator
  // and the factory as pointers, though the generator is this object) is the
  // one the generation run and every factory were written against: it stays.
  bool createFunctions(ZGeneratorInterface* generator, ZNoslFactoryInterface* factory) override;
  // Writes every piece front to back into the output file and destroys it.
  // The file is written beside the output and takes its place only when
  // every piece was written. Goes on after a failed piece; false when the
  // factory is missing, any piece failed or the file could not take the
  // output's place (the output is then left as it was).
  bool writeFunctions(ZGeneratorInterface* generator, ZNoslFactoryInterface* factory) override;
  // Makes the temporary file that writeFunctions writes into (it makes it
  // itself when this was not called), so that a run learns that its output
  // cannot be made before it saves anything else. A symbolic link at the
  // output path is what the output replaces. False, with the reason in
  // errorText, when no temporary file can be made there.
  bool prepareOutput(std::string& errorText);
  TextStream* outputStream() override { return writing_ ? &output_ : nullptr; }

  FunctionList& functionList() { return functionList_; }

  // Makes writeFunctions collect the output in memory instead of the file
  // (tests compare generated files this way).
  void writeToMemory() { inMemory_ = true; }
  const std::string& memoryOutput() const { return output_.contents(); }

 private:
  FunctionList functionList_;
  ReplacementFile replacement_;
  TextStream output_;
  bool writing_ = false;
  bool inMemory_ = false;
};

// Generator of the NOSL files (modes 1 and 3).
class ZCoNosl447InteractionLayer : public ZCoNoslGen {
 public:
  explicit ZCoNosl447InteractionLayer(const SignalTable& table) : table_(table) {}
  std::string outputPath() const override;
  const SignalTable& signalTable() const { return table_; }

 private:
  const SignalTable& table_;
};

// Generator of the C macro header (mode 2).
class ZCoMacro447InteractionLayer : public ZCoNoslGen {
 public:
  explicit ZCoMacro447InteractionLayer(const SignalTable& table) : table_(table) {}
  std::string outputPath() const override;
  const SignalTable& signalTable() const { return table_; }

 private:
  const SignalTable& table_;
};
