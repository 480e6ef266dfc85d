#include "util/TextStream.h"

#include <algorithm>

#include "util/ReplacementFile.h"

TextStream::TextStream() = default;

TextStream::~TextStream() { close(); }

bool TextStream::open(const std::string& path, Mode mode) {
  close();
  file_ = openRegularFileForWriting(path, mode == Mode::Append);
  // The stream collects its own buffer; the C library's would only copy
  // every byte once more.
  if (file_ != nullptr) std::setvbuf(file_, nullptr, _IONBF, 0);
  isFile_ = true;
  failed_ = false;
  used_ = 0;
  return file_ != nullptr;
}

bool TextStream::close() {
  if (!isFile_) return !failed_;
  if (file_ != nullptr) {
    flushBuffer();
    if (std::fclose(file_) != 0) failed_ = true;
    file_ = nullptr;
  }
  used_ = 0;
  buffer_ = ByteBuffer();
  return !failed_;
}

const std::string& TextStream::contents() const {
  if (used_ == 0) {
    contents_.clear();
  } else {
    contents_.assign(buffer_.bytes.get(), used_);
  }
  return contents_;
}

void TextStream::write(std::string_view text) {
  if (!acceptsWrites()) return;
  // A file stream takes a long text a chunk at a time, so that its buffer
  // does not grow to the size of the text.
  while (isFile_ && text.size() > kChunkBytes) {
    appendText(text.substr(0, kChunkBytes));
    flushIfFull();
    text.remove_prefix(kChunkBytes);
  }
  appendText(text);
  flushIfFull();
}

void TextStream::appendLongText(std::string_view text) {
  std::size_t start = 0;
  for (;;) {
    const void* found = std::memchr(text.data() + start, '\n', text.size() - start);
    const std::size_t end = found == nullptr ? text.size() : static_cast<std::size_t>(
        static_cast<const char*>(found) - text.data());
    std::memcpy(buffer_.bytes.get() + used_, text.data() + start, end - start);
    used_ += end - start;
    if (found == nullptr) return;
    buffer_.bytes[used_++] = '\r';
    buffer_.bytes[used_++] = '\n';
    start = end + 1;
  }
}

void TextStream::makeRoom(std::size_t bytes) {
  // Room for a whole chunk from the start, so that a file stream grows its
  // buffer only for a single text larger than a chunk.
  const std::size_t wanted = std::max({used_ + bytes, 2 * buffer_.capacity, isFile_ ? 2 * kChunkBytes : 4096});
  buffer_.grow(wanted, used_);
}

void TextStream::flushIfFull() {
  if (isFile_ && used_ >= kChunkBytes) flushBuffer();
}

void TextStream::flushBuffer() {
  if (file_ == nullptr || used_ == 0) return;
  if (std::fwrite(buffer_.bytes.get(), 1, used_, file_) != used_) failed_ = true;
  used_ = 0;
}
