// The one line writer of the program. Every file co447gen writes goes
// through it, and it stores each "\n" it is given as CR LF, as a text-mode
// stream does on the platform the generated files are used on. Nothing else
// in the program writes "\r\n" itself.
//
// A stream either appends to a file or collects the bytes in memory (tests,
// and code that composes a file before saving it).
//
// One exception to CR LF: a program that rewrites a file it did not create
// (the signal database) keeps that file's own bytes and line-end style, so
// the stream can be told to write text exactly as given.
#pragma once

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "util/ByteBuffer.h"

class TextStream {
 public:
  enum class Mode { Truncate, Append };
  // CrLf: every "\n" is stored as CR LF. AsGiven: text is stored unchanged,
  // for bytes kept from an existing file and for lines added to a file
  // whose line ends are single line feeds.
  enum class LineEnd { CrLf, AsGiven };

  TextStream();  // in-memory stream, always open
  ~TextStream();
  TextStream(const TextStream&) = delete;
  TextStream& operator=(const TextStream&) = delete;

  // Opens a file stream, creating the file when it is missing; false when
  // it cannot be opened. Only a regular file is written: a symbolic link at
  // the path, a FIFO or a device counts as a file that cannot be opened.
  bool open(const std::string& path, Mode mode);
  // Flushes and closes a file stream; false if any write or the close failed.
  // A closed file stream stays closed: later writes only mark it failed.
  bool close();
  bool isOpen() const { return file_ != nullptr || !isFile_; }

  // Empties an in-memory stream for reuse; its buffer stays allocated.
  void clear() {
    if (!isFile_) {
      used_ = 0;
      failed_ = false;
      lineEnd_ = LineEnd::CrLf;
    }
  }

  // Makes room for this many bytes in all, so that the buffer need not grow
  // step by step up to a size that is known beforehand.
  void reserve(std::size_t bytes) { buffer_.grow(bytes, used_); }

  // Applies to everything written from now on; a new stream uses CrLf.
  void setLineEnd(LineEnd lineEnd) { lineEnd_ = lineEnd; }

  // Writes text, turning every "\n" into "\r\n" (CrLf). Texts are taken as
  // views, so literals are written without a copy.
  void write(std::string_view text);
  // Writes the pieces one after another followed by a line end; without
  // pieces it writes an empty line. A piece is anything a std::string_view
  // is made from, so a line of fixed text and values is written without
  // building it first.
  template <typename... Pieces>
  void line(const Pieces&... pieces) {
    if (!acceptsWrites()) return;
    (appendText(std::string_view(pieces)), ...);
    endLine();
  }
  // Writes every line of a fixed listing, each followed by a line end.
  template <std::size_t N>
  void lines(const char* const (&listing)[N]) {
    for (const char* text : listing) line(text);
  }

  // True once a write to the file has failed.
  bool failed() const { return failed_; }

  // The bytes written so far to an in-memory stream.
  const std::string& contents() const;
  // The same as a view, without a copy; valid until the next write.
  std::string_view view() const { return std::string_view(buffer_.bytes.get(), used_); }

 private:
  // False, and the stream marked failed, when it is a closed file stream.
  bool acceptsWrites() {
    if (isFile_ && file_ == nullptr) {
      failed_ = true;
      return false;
    }
    return true;
  }
  // Appends text to the buffer, with "\n" turned into "\r\n" (CrLf).
  // Most pieces are a few bytes long, so this is kept inline and short.
  void appendText(std::string_view text) {
    const std::size_t size = text.size();
    if (buffer_.capacity - used_ < 2 * size) makeRoom(2 * size);
    char* out = buffer_.bytes.get() + used_;
    if (lineEnd_ == LineEnd::AsGiven) {
      std::memcpy(out, text.data(), size);
      used_ += size;
    } else if (size <= 16) {
      char* const start = out;
      for (char c : text) {
        if (c == '\n') *out++ = '\r';
        *out++ = c;
      }
      used_ += static_cast<std::size_t>(out - start);
    } else {
      appendLongText(text);
    }
  }
  void appendLongText(std::string_view text);
  // Appends a line end and hands a full buffer to the file.
  void endLine() {
    if (buffer_.capacity - used_ < 2) makeRoom(2);
    if (lineEnd_ == LineEnd::CrLf) buffer_.bytes[used_++] = '\r';
    buffer_.bytes[used_++] = '\n';
    if (used_ >= kChunkBytes && isFile_) flushBuffer();
  }
  // Grows the buffer so that `bytes` more fit.
  void makeRoom(std::size_t bytes);
  void flushIfFull();
  void flushBuffer();

  // File streams hand their buffer to the file in chunks of about this size.
  static constexpr std::size_t kChunkBytes = 1 << 20;

  std::FILE* file_ = nullptr;
  bool isFile_ = false;
  bool failed_ = false;
  LineEnd lineEnd_ = LineEnd::CrLf;
  // The bytes not yet handed to the file (of an in-memory stream: all of
  // them) are the first used_ of buffer_; the rest is room to write into.
  ByteBuffer buffer_;
  std::size_t used_ = 0;
  mutable std::string contents_;  // what contents() hands out
};
