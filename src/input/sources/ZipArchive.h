// Read access to the entries of a zip file (the container of .xlsx and .ods
// documents), with a cap on how far an entry may inflate. The archive is
// read through its central directory (zip64 included); entries are stored
// or deflated (zlib's raw inflate) and their CRC-32 is checked at their end.
#pragma once

#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include <zlib.h>

#include "input/sources/ReadAhead.h"

class ZipArchive {
 public:
  // No entry is read beyond this many bytes.
  static constexpr uint64_t kMaxEntryBytes = 256ull * 1024 * 1024;

  enum class Status { ok, missing, damaged, tooLarge };

  ZipArchive() = default;
  ~ZipArchive() = default;
  ZipArchive(const ZipArchive&) = delete;
  ZipArchive& operator=(const ZipArchive&) = delete;

  // False when the file is not a readable zip file: no end record within
  // the last 64 KiB + 22 bytes, an archive spread over several disks, a
  // central directory or an entry outside the file, entries that overlap,
  // two entries whose names are the same for has() and read().
  bool open(const std::string& path);
  void close();

  // The entry's name matches without regard to ASCII case, a backslash in
  // an entry name matches "/" (some writers separate folders that way) and
  // a leading "/" is ignored.
  bool has(const std::string& name) const;
  // Reads the whole entry. tooLarge when it declares or inflates to more
  // than limit bytes (contents are then left empty), damaged when it cannot
  // be read: encrypted, a method other than stored or deflated, a bad local
  // header, data that does not inflate to what the central directory says
  // (size and CRC-32).
  Status read(const std::string& name, std::string& contents, uint64_t limit = kMaxEntryBytes) const;

  // What the central directory says of an entry.
  struct Entry {
    uint16_t flags = 0;
    uint16_t method = 0;
    uint32_t crc = 0;
    uint64_t compressedSize = 0;
    uint64_t size = 0;
    uint64_t headerOffset = 0;  // of its local header
    uint64_t slotEnd = 0;       // where the next entry (or the central directory) begins
  };

  // An entry read piece by piece. Where zlib finds no memory, open and
  // read throw std::bad_alloc: that is no damage of the file.
  class Stream {
   public:
    Stream() = default;
    ~Stream();
    Stream(const Stream&) = delete;
    Stream& operator=(const Stream&) = delete;
    // Fills buffer with the next bytes: their number, 0 at the end of the
    // entry, negative when it cannot be read or inflates beyond the limit.
    long long read(char* buffer, std::size_t size);
    // The size the entry declares (not more than the limit); a hint only.
    uint64_t declaredSize() const { return entry_.size; }

   private:
    friend class ZipArchive;
    long long inflate(char* buffer, std::size_t size);
    // Fills input_ from the entry's data; false when the file cannot be read.
    bool fillInput();
    long long fail();
    void reset();

    // Inflates a large entry ahead on a second thread.
    std::unique_ptr<ReadAhead> ahead_;
    std::ifstream file_;
    Entry entry_;
    uint64_t dataLeft_ = 0;  // compressed bytes not read from the file yet
    uint64_t total_ = 0;     // bytes handed out
    uint64_t limit_ = 0;
    uint32_t crc_ = 0;
    bool inflating_ = false;  // zstream_ is initialised
    bool ended_ = false;
    bool failed_ = false;
    z_stream zstream_{};
    std::vector<char> input_;
    std::size_t inputUsed_ = 0;
    std::size_t inputSize_ = 0;
  };
  // Opens the entry for reading piece by piece; tooLarge when it declares
  // more than limit bytes. An entry declaring at least kReadAheadBytes is
  // inflated ahead on a thread of its own while the caller works on what
  // it has read.
  static constexpr uint64_t kReadAheadBytes = 1024 * 1024;
  Status open(const std::string& name, Stream& stream, uint64_t limit = kMaxEntryBytes) const;

 private:
  bool readCentralDirectory(std::ifstream& file, uint64_t fileSize);
  // Reads count records of the central directory into entries_ and names_.
  bool readEntries(const std::string& directory, uint64_t count);
  // Sets each entry's slotEnd; false when an entry's data leave its slot.
  bool giveEntriesTheirSlots(uint64_t directoryOffset);
  // The entry's index, or -1.
  int64_t locate(const std::string& name) const;

  std::string path_;
  std::vector<Entry> entries_;
  // Entry indexes by their names, backslashes made "/" and lower-cased.
  std::unordered_map<std::string, std::size_t> names_;
};
