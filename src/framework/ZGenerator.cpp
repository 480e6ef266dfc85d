#include "framework/ZGenerator.h"

#include <vector>

#include "core/RunSettings.h"
#include "framework/ParallelPieceWriter.h"
#include "framework/ZNoslFactory.h"
#include "util/ReplacementFile.h"

bool ZCoNoslGen::createFunctions(ZGeneratorInterface* generator, ZNoslFactoryInterface* factory) {
  if (generator == nullptr || factory == nullptr) return false;
  factory->createFunctions(functionList_, *generator);
  return true;
}

bool ZCoNoslGen::writeFunctions(ZGeneratorInterface* generator, ZNoslFactoryInterface* factory) {
  (void)generator;
  if (factory == nullptr) return false;
  // One stream serves the whole write pass; the bytes on disk are the same
  // as if every piece opened the file for appending itself. They go into a
  // temporary file that takes the output's place once it is complete, so
  // that a failed or killed run never leaves half an output behind.
  std::string replacementError;
  bool opened = true;
  if (!inMemory_) {
    opened = (!replacement_.temporaryPath().empty() || prepareOutput(replacementError)) &&
             output_.open(replacement_.temporaryPath(), TextStream::Mode::Truncate);
  }
  writing_ = opened;
  bool allWritten = true;
  if (opened) {
    // Composed on several threads, written in list order.
    std::vector<std::unique_ptr<ZNoslFunction>> pieces;
    pieces.reserve(functionList_.size());
    for (auto& piece : functionList_) pieces.push_back(std::move(piece));
    functionList_.clear();
    allWritten = writePiecesInParallel(pieces, output_, *this, pieceWriterThreads());
  }
  // Without an open output every piece fails to write (the generator hands
  // out no stream).
  while (!functionList_.empty()) {
    std::unique_ptr<ZNoslFunction> piece = std::move(functionList_.front());
    functionList_.pop_front();
    if (!piece->write(*this)) allWritten = false;
  }
  writing_ = false;
  if (!inMemory_) {
    if (!output_.close()) allWritten = false;
    if (allWritten && !replacement_.commit(replacementError)) allWritten = false;
    replacement_.discard();
  }
  return allWritten;
}

bool ZCoNoslGen::prepareOutput(std::string& errorText) {
  return replacement_.create(outputPath(), errorText, false);
}

std::string ZCoNosl447InteractionLayer::outputPath() const { return runSettings().outputPath(); }

std::string ZCoMacro447InteractionLayer::outputPath() const { return runSettings().outputPath(); }
