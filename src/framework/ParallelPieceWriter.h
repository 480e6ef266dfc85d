// Writes the pieces of a generated file on several threads. Pieces are
// taken in batches; each batch is composed in memory by whichever thread
// gets to it first, and the batches are appended to the output strictly in
// list order, so the file is byte for byte what writing the pieces one
// after another gives. Pieces only read the signal table and the run
// settings while they write, which is what makes this safe.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "framework/ZNoslFunction.h"

class ZGeneratorInterface;
class TextStream;

// Writes every piece's body into output in order and destroys the pieces.
// Goes on after a failed piece; false when any piece failed. threads is
// the most threads that compose, the caller's included (1: no other thread
// is started); a small list is composed by the caller alone. What a piece
// throws on any thread (std::bad_alloc) is thrown again here, once every
// thread has stopped.
bool writePiecesInParallel(std::vector<std::unique_ptr<ZNoslFunction>>& pieces, TextStream& output,
                           ZGeneratorInterface& generator, unsigned threads);

// The threads to compose with on this machine.
unsigned pieceWriterThreads();
