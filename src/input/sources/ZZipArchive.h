// Read access to the entries of a zip file (the container of .xlsx and .ods
// documents), with a cap on how far an entry may inflate.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

#include "input/sources/ZReadAhead.h"

struct zip;
struct zip_file;

class ZZipArchive {
 public:
  // No entry is read beyond this many bytes.
  static constexpr uint64_t kMaxEntryBytes = 256ull * 1024 * 1024;

  enum class Status { ok, missing, damaged, tooLarge };

  ZZipArchive() = default;
  ~ZZipArchive();
  ZZipArchive(const ZZipArchive&) = delete;
  ZZipArchive& operator=(const ZZipArchive&) = delete;

  // False when the file is not a readable zip file.
  bool open(const std::string& path);
  void close();

  // The entry's name matches without regard to ASCII case, a backslash in
  // an entry name matches "/" (some writers separate folders that way) and
  // a leading "/" is ignored.
  bool has(const std::string& name) const;
  // Reads the whole entry. tooLarge when it declares or inflates to more
  // than limit bytes (contents are then left empty), damaged when it cannot
  // be inflated.
  Status read(const std::string& name, std::string& contents, uint64_t limit = kMaxEntryBytes) const;

  // An entry read piece by piece.
  class Stream {
   public:
    Stream() = default;
    ~Stream();
    Stream(const Stream&) = delete;
    Stream& operator=(const Stream&) = delete;
    // Fills buffer with the next bytes: their number, 0 at the end of the
    // entry, negative when it cannot be inflated or inflates beyond the
    // limit.
    long long read(char* buffer, std::size_t size);
    // The size the entry declares (not more than the limit); a hint only.
    uint64_t declaredSize() const { return declared_; }

   private:
    friend class ZZipArchive;
    long long inflate(char* buffer, std::size_t size);
    void reset();

    // Inflates a large entry ahead on a second thread.
    std::unique_ptr<ZReadAhead> ahead_;
    zip_file* file_ = nullptr;
    uint64_t total_ = 0;
    uint64_t limit_ = 0;
    uint64_t declared_ = 0;
  };
  // Opens the entry for reading piece by piece; tooLarge when it declares
  // more than limit bytes. An entry declaring at least kReadAheadBytes is
  // inflated ahead on a thread of its own while the caller works on what
  // it has read.
  static constexpr uint64_t kReadAheadBytes = 1024 * 1024;
  Status open(const std::string& name, Stream& stream, uint64_t limit = kMaxEntryBytes) const;

 private:
  // The entry's index, or -1.
  int64_t locate(const std::string& name) const;

  zip* archive_ = nullptr;
  // Entry indexes by their names, backslashes made "/" and lower-cased.
  std::unordered_map<std::string, uint64_t> entries_;
};
