#include "input/sources/ZZipArchive.h"

#include <zip.h>

#include "util/Paths.h"

namespace {

std::string entryName(const std::string& name) { return !name.empty() && name[0] == '/' ? name.substr(1) : name; }

}  // namespace

ZZipArchive::~ZZipArchive() { close(); }

bool ZZipArchive::open(const std::string& path) {
  close();
  int error = 0;
  archive_ = zip_open(nativePath(path).c_str(), ZIP_RDONLY, &error);
  return archive_ != nullptr;
}

void ZZipArchive::close() {
  if (archive_ != nullptr) zip_discard(archive_);
  archive_ = nullptr;
}

bool ZZipArchive::has(const std::string& name) const {
  return archive_ != nullptr && zip_name_locate(archive_, entryName(name).c_str(), ZIP_FL_NOCASE) >= 0;
}

ZZipArchive::Status ZZipArchive::read(const std::string& name, std::string& contents, uint64_t limit) const {
  contents.clear();
  if (archive_ == nullptr) return Status::missing;
  const zip_int64_t index = zip_name_locate(archive_, entryName(name).c_str(), ZIP_FL_NOCASE);
  if (index < 0) return Status::missing;
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_stat_index(archive_, static_cast<zip_uint64_t>(index), 0, &stat) != 0) return Status::damaged;
  if ((stat.valid & ZIP_STAT_SIZE) != 0 && stat.size > limit) return Status::tooLarge;

  zip_file_t* file = zip_fopen_index(archive_, static_cast<zip_uint64_t>(index), 0);
  if (file == nullptr) return Status::damaged;
  // The declared size only sizes the first allocation; what counts is what
  // the entry really inflates to.
  if ((stat.valid & ZIP_STAT_SIZE) != 0) contents.reserve(static_cast<std::size_t>(stat.size));
  char buffer[65536];
  Status status = Status::ok;
  for (;;) {
    const zip_int64_t got = zip_fread(file, buffer, sizeof buffer);
    if (got < 0) {
      status = Status::damaged;
      break;
    }
    if (got == 0) break;
    if (contents.size() + static_cast<uint64_t>(got) > limit) {
      status = Status::tooLarge;
      break;
    }
    contents.append(buffer, static_cast<std::size_t>(got));
  }
  zip_fclose(file);
  if (status != Status::ok) {
    contents.clear();
    contents.shrink_to_fit();
  }
  return status;
}
