#include "input/sources/ZZipArchive.h"

#include <zip.h>

#include "util/Paths.h"
#include "util/StringFormat.h"

namespace {

// The form names are looked up in: backslashes made "/", a leading "/" left out,
// ASCII letters lower-cased.
std::string lookupName(const std::string& name) {
  std::string key = toLowerAscii(nativePath(name));
  if (!key.empty() && key[0] == '/') key.erase(0, 1);
  return key;
}

}  // namespace

ZZipArchive::~ZZipArchive() { close(); }

bool ZZipArchive::open(const std::string& path) {
  close();
  int error = 0;
  archive_ = zip_open(nativePath(path).c_str(), ZIP_RDONLY, &error);
  if (archive_ == nullptr) return false;
  const zip_int64_t count = zip_get_num_entries(archive_, 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    const char* name = zip_get_name(archive_, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_RAW);
    if (name != nullptr) entries_.emplace(lookupName(name), static_cast<uint64_t>(i));  // the first of equal names
  }
  return true;
}

void ZZipArchive::close() {
  if (archive_ != nullptr) zip_discard(archive_);
  archive_ = nullptr;
  entries_.clear();
}

int64_t ZZipArchive::locate(const std::string& name) const {
  const auto found = entries_.find(lookupName(name));
  return found != entries_.end() ? static_cast<int64_t>(found->second) : -1;
}

bool ZZipArchive::has(const std::string& name) const { return locate(name) >= 0; }

ZZipArchive::Status ZZipArchive::open(const std::string& name, Stream& stream, uint64_t limit) const {
  stream.reset();
  stream.limit_ = limit;
  stream.declared_ = 0;
  if (archive_ == nullptr) return Status::missing;
  const int64_t index = locate(name);
  if (index < 0) return Status::missing;
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_stat_index(archive_, static_cast<zip_uint64_t>(index), 0, &stat) != 0) return Status::damaged;
  if ((stat.valid & ZIP_STAT_SIZE) != 0 && stat.size > limit) return Status::tooLarge;
  stream.declared_ = (stat.valid & ZIP_STAT_SIZE) != 0 ? stat.size : 0;
  stream.file_ = zip_fopen_index(archive_, static_cast<zip_uint64_t>(index), 0);
  if (stream.file_ == nullptr) return Status::damaged;
  if (stream.declared_ >= kReadAheadBytes) {
    Stream* const entry = &stream;
    stream.ahead_ = std::make_unique<ZReadAhead>(
        [entry](char* buffer, std::size_t size) { return entry->inflate(buffer, size); });
  }
  return Status::ok;
}

ZZipArchive::Stream::~Stream() { reset(); }

void ZZipArchive::Stream::reset() {
  ahead_.reset();  // stops the thread before the entry is closed under it
  if (file_ != nullptr) zip_fclose(file_);
  file_ = nullptr;
  total_ = 0;
}

long long ZZipArchive::Stream::read(char* buffer, std::size_t size) {
  return ahead_ != nullptr ? ahead_->read(buffer, size) : inflate(buffer, size);
}

long long ZZipArchive::Stream::inflate(char* buffer, std::size_t size) {
  if (file_ == nullptr) return -1;
  const zip_int64_t got = zip_fread(file_, buffer, size);
  if (got < 0) return -1;
  // The declared size may lie: what counts is what the entry inflates to.
  total_ += static_cast<uint64_t>(got);
  if (total_ > limit_) return -1;
  return got;
}

ZZipArchive::Status ZZipArchive::read(const std::string& name, std::string& contents, uint64_t limit) const {
  contents.clear();
  Stream stream;
  const Status status = open(name, stream, limit);
  if (status != Status::ok) return status;
  char buffer[65536];
  for (;;) {
    const long long got = stream.read(buffer, sizeof buffer);
    if (got == 0) return Status::ok;
    if (got < 0) {
      const bool tooLarge = stream.total_ > limit;
      contents.clear();
      contents.shrink_to_fit();
      return tooLarge ? Status::tooLarge : Status::damaged;
    }
    contents.append(buffer, static_cast<std::size_t>(got));
  }
}
