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
#include <string>
#include <string_view>

class ZTextStream {
 public:
  enum class Mode { Truncate, Append };
  // CrLf: every "\n" is stored as CR LF. AsGiven: text is stored unchanged,
  // for bytes kept from an existing file and for lines added to a file
  // whose line ends are single line feeds.
  enum class LineEnd { CrLf, AsGiven };

  ZTextStream() = default;  // in-memory stream, always open
  ~ZTextStream();
  ZTextStream(const ZTextStream&) = delete;
  ZTextStream& operator=(const ZTextStream&) = delete;

  // Opens a file stream; false when the file cannot be opened.
  bool open(const std::string& path, Mode mode);
  // Flushes and closes a file stream; false if any write or the close failed.
  // A closed file stream stays closed: later writes only mark it failed.
  bool close();
  bool isOpen() const { return file_ != nullptr || !isFile_; }

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

  // True once a write to the file failed.
  bool failed() const { return failed_; }

  // The bytes written so far to an in-memory stream.
  const std::string& contents() const { return buffer_; }

 private:
  // False, and the stream marked failed, when it is a closed file stream.
  bool acceptsWrites();
  // Appends text to the buffer, with "\n" turned into "\r\n" (CrLf).
  void appendText(std::string_view text);
  // Appends a line end and flushes a full buffer.
  void endLine();
  void flushIfFull();
  void flushBuffer();

  std::FILE* file_ = nullptr;
  bool isFile_ = false;
  bool failed_ = false;
  LineEnd lineEnd_ = LineEnd::CrLf;
  std::string buffer_;
};
