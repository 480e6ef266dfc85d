// Read access to the entries of a zip file (the container of .xlsx and .ods
// documents), with a cap on how far an entry may inflate.
#pragma once

#include <cstdint>
#include <string>

struct zip;

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

  // The entry's name matches without regard to ASCII case; a leading "/" is
  // ignored.
  bool has(const std::string& name) const;
  // Reads the whole entry. tooLarge when it declares or inflates to more
  // than limit bytes (contents are then left empty), damaged when it cannot
  // be inflated.
  Status read(const std::string& name, std::string& contents, uint64_t limit = kMaxEntryBytes) const;

 private:
  zip* archive_ = nullptr;
};
