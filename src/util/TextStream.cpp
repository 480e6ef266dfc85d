#include "util/TextStream.h"

#include "util/Paths.h"

namespace {
// File streams flush their buffer once it holds this many bytes.
constexpr std::size_t kFlushThreshold = 1 << 16;
}

ZTextStream::~ZTextStream() { close(); }

bool ZTextStream::open(const std::string& path, Mode mode) {
  close();
  file_ = std::fopen(nativePath(path).c_str(), mode == Mode::Append ? "ab" : "wb");
  // The stream collects its own buffer; the C library's would only copy
  // every byte once more.
  if (file_ != nullptr) std::setvbuf(file_, nullptr, _IONBF, 0);
  isFile_ = true;
  failed_ = false;
  buffer_.clear();
  return file_ != nullptr;
}

bool ZTextStream::close() {
  if (!isFile_) return !failed_;
  if (file_ != nullptr) {
    flushBuffer();
    if (std::fclose(file_) != 0) failed_ = true;
    file_ = nullptr;
  }
  buffer_.clear();
  return !failed_;
}

void ZTextStream::write(std::string_view text) {
  if (!acceptsWrites()) return;
  appendText(text);
  flushIfFull();
}

bool ZTextStream::acceptsWrites() {
  if (isFile_ && file_ == nullptr) {
    failed_ = true;
    return false;
  }
  return true;
}

void ZTextStream::appendText(std::string_view text) {
  if (lineEnd_ == LineEnd::AsGiven) {
    buffer_.append(text);
    return;
  }
  std::string_view::size_type start = 0;
  for (auto end = text.find('\n'); end != std::string_view::npos; end = text.find('\n', start)) {
    buffer_.append(text.substr(start, end - start));
    buffer_ += "\r\n";
    start = end + 1;
  }
  buffer_.append(text.substr(start));
}

void ZTextStream::endLine() {
  if (lineEnd_ == LineEnd::AsGiven) {
    buffer_ += '\n';
  } else {
    buffer_.append("\r\n", 2);
  }
  flushIfFull();
}

void ZTextStream::flushIfFull() {
  if (isFile_ && buffer_.size() >= kFlushThreshold) flushBuffer();
}

void ZTextStream::flushBuffer() {
  if (file_ == nullptr || buffer_.empty()) return;
  if (std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) failed_ = true;
  buffer_.clear();
}
