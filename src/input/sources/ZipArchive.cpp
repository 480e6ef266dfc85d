#include "input/sources/ZipArchive.h"

#include <algorithm>
#include <climits>
#include <new>
#include <system_error>

#include "input/sources/LittleEndian.h"
#include "util/FileRead.h"
#include "util/Paths.h"
#include "util/StringFormat.h"

namespace {

using littleendian::u16;
using littleendian::u32;
using littleendian::u64;

const uint32_t kEndSignature = 0x06054b50;
const uint32_t kZip64EndSignature = 0x06064b50;
const uint32_t kZip64LocatorSignature = 0x07064b50;
const uint32_t kCentralSignature = 0x02014b50;
const uint32_t kLocalSignature = 0x04034b50;
const std::size_t kEndRecordBytes = 22;
const std::size_t kMaxCommentBytes = 65535;
const std::size_t kZip64LocatorBytes = 20;
const std::size_t kZip64EndBytes = 56;
const std::size_t kCentralRecordBytes = 46;
const std::size_t kLocalHeaderBytes = 30;
const std::size_t kDescriptorBytes = 12;  // at least: CRC-32 and both sizes
const uint16_t kZip64ExtraId = 0x0001;
const uint16_t kEncryptedFlags = 0x0001 | 0x0040;  // encrypted, strongly encrypted
const uint16_t kDescriptorFlag = 0x0008;
const uint16_t kStored = 0;
const uint16_t kDeflated = 8;
const std::size_t kInputBytes = 64 * 1024;

bool readAt(std::ifstream& file, uint64_t offset, char* out, std::size_t size) {
  file.clear();
  file.seekg(static_cast<std::streamoff>(offset), std::ios::beg);
  return file.read(out, static_cast<std::streamsize>(size)) && file.gcount() == static_cast<std::streamsize>(size);
}

// The form names are looked up in: backslashes made "/", a leading "/" left
// out, ASCII letters lower-cased.
std::string lookupName(std::string name) {
  std::replace(name.begin(), name.end(), '\\', '/');
  if (!name.empty() && name[0] == '/') name.erase(0, 1);
  return toLowerAscii(std::move(name));
}

// Takes the 64-bit values that a central directory record leaves to its
// zip64 extra field (those it gives as all ones). False when the field is
// too short for them.
bool readZip64Extra(const char* extra, std::size_t length, ZipArchive::Entry& entry, uint32_t& disk) {
  std::size_t at = 0;
  while (at + 4 <= length) {
    const uint16_t id = u16(extra + at);
    const std::size_t size = u16(extra + at + 2);
    if (at + 4 + size > length) return true;
    if (id == kZip64ExtraId) {
      const char* field = extra + at + 4;
      std::size_t left = size;
      for (uint64_t* value : {&entry.size, &entry.compressedSize, &entry.headerOffset}) {
        if (*value != 0xFFFFFFFFu) continue;
        if (left < 8) return false;
        *value = u64(field);
        field += 8;
        left -= 8;
      }
      if (disk == 0xFFFF) {
        if (left < 4) return false;
        disk = u32(field);
      }
      return true;
    }
    at += 4 + size;
  }
  return true;
}

// Where the central directory lies, as the end records say.
struct DirectoryPlace {
  bool onOneDisk = false;  // the archive is not split over several disks
  uint64_t entries = 0;
  uint64_t size = 0;
  uint64_t offset = 0;
  uint64_t end = 0;  // where the end records begin
};

// The end record: the last one in the file whose comment ends within it.
bool readEndRecord(std::ifstream& file, uint64_t fileSize, DirectoryPlace& place) {
  const std::size_t tailSize = static_cast<std::size_t>(std::min<uint64_t>(fileSize, kMaxCommentBytes + kEndRecordBytes));
  std::string tail(tailSize, '\0');
  if (!readAt(file, fileSize - tailSize, &tail[0], tailSize)) return false;
  std::size_t at = tailSize - kEndRecordBytes + 1;
  do {
    if (at-- == 0) return false;
  } while (u32(&tail[at]) != kEndSignature || at + kEndRecordBytes + u16(&tail[at + 20]) > tailSize);
  const char* end = &tail[at];
  place.onOneDisk = u16(end + 4) == 0 && u16(end + 6) == 0 && u16(end + 8) == u16(end + 10);
  place.entries = u16(end + 10);
  place.size = u32(end + 12);
  place.offset = u32(end + 16);
  place.end = fileSize - tailSize + at;
  return true;
}

// A zip64 end record, found through its locator right before the end
// record, says where the directory lies instead. False when the locator
// leads to another disk or to no zip64 end record.
bool readZip64EndRecord(std::ifstream& file, DirectoryPlace& place) {
  const uint64_t endOffset = place.end;
  char locator[kZip64LocatorBytes];
  if (endOffset < kZip64LocatorBytes || !readAt(file, endOffset - kZip64LocatorBytes, locator, sizeof locator) ||
      u32(locator) != kZip64LocatorSignature) {
    return true;
  }
  const uint64_t recordOffset = u64(locator + 8);
  char record[kZip64EndBytes];
  if (u32(locator + 4) != 0 || u32(locator + 16) > 1) return false;  // on another disk
  if (recordOffset > endOffset - kZip64LocatorBytes - kZip64EndBytes ||
      !readAt(file, recordOffset, record, sizeof record) || u32(record) != kZip64EndSignature) {
    return false;
  }
  place.onOneDisk = u32(record + 16) == 0 && u32(record + 20) == 0 && u64(record + 24) == u64(record + 32);
  place.entries = u64(record + 32);
  place.size = u64(record + 40);
  place.offset = u64(record + 48);
  place.end = recordOffset;
  return true;
}

}  // namespace

bool ZipArchive::open(const std::string& path) {
  close();
  std::ifstream file(fileSystemPath(path), std::ios::binary);
  if (!file) {
    throwIfOpenLackedMemory();
    return false;
  }
  file.seekg(0, std::ios::end);
  const std::streamoff size = file.tellg();
  if (size < static_cast<std::streamoff>(kEndRecordBytes) || !readCentralDirectory(file, static_cast<uint64_t>(size))) {
    close();
    return false;
  }
  path_ = path;
  return true;
}

bool ZipArchive::readCentralDirectory(std::ifstream& file, uint64_t fileSize) {
  DirectoryPlace place;
  if (!readEndRecord(file, fileSize, place) || !readZip64EndRecord(file, place)) return false;
  if (!place.onOneDisk) return false;
  if (place.offset > place.end || place.size > place.end - place.offset) return false;
  if (place.entries > place.size / kCentralRecordBytes) return false;
  std::string directory(static_cast<std::size_t>(place.size), '\0');
  if (place.size > 0 && !readAt(file, place.offset, &directory[0], directory.size())) return false;
  return readEntries(directory, place.entries) && giveEntriesTheirSlots(place.offset);
}

bool ZipArchive::readEntries(const std::string& directory, uint64_t count) {
  entries_.reserve(static_cast<std::size_t>(count));
  std::size_t p = 0;
  for (uint64_t i = 0; i < count; ++i) {
    if (p + kCentralRecordBytes > directory.size() || u32(&directory[p]) != kCentralSignature) return false;
    const char* record = &directory[p];
    Entry entry;
    entry.flags = u16(record + 8);
    entry.method = u16(record + 10);
    entry.crc = u32(record + 16);
    entry.compressedSize = u32(record + 20);
    entry.size = u32(record + 24);
    const std::size_t nameLength = u16(record + 28);
    const std::size_t extraLength = u16(record + 30);
    const std::size_t commentLength = u16(record + 32);
    uint32_t entryDisk = u16(record + 34);
    entry.headerOffset = u32(record + 42);
    const std::size_t recordSize = kCentralRecordBytes + nameLength + extraLength + commentLength;
    if (p + recordSize > directory.size()) return false;
    if (!readZip64Extra(record + kCentralRecordBytes + nameLength, extraLength, entry, entryDisk)) return false;
    if (entryDisk != 0) return false;
    // Two entries that one name finds make the archive ambiguous: readers
    // differ in which of them they take.
    if (!names_.emplace(lookupName(std::string(record + kCentralRecordBytes, nameLength)), entries_.size()).second) {
      return false;
    }
    entries_.push_back(entry);
    p += recordSize;
  }
  return true;
}

// Every entry has the room up to the next one (or the central directory)
// and its data must fit there: no two entries share bytes.
bool ZipArchive::giveEntriesTheirSlots(uint64_t directoryOffset) {
  std::vector<Entry*> byOffset;
  byOffset.reserve(entries_.size());
  for (Entry& entry : entries_) byOffset.push_back(&entry);
  std::sort(byOffset.begin(), byOffset.end(),
            [](const Entry* a, const Entry* b) { return a->headerOffset < b->headerOffset; });
  for (std::size_t i = 0; i < byOffset.size(); ++i) {
    Entry& entry = *byOffset[i];
    entry.slotEnd = i + 1 < byOffset.size() ? byOffset[i + 1]->headerOffset : directoryOffset;
    if (entry.slotEnd < entry.headerOffset || entry.slotEnd - entry.headerOffset < kLocalHeaderBytes ||
        entry.compressedSize > entry.slotEnd - entry.headerOffset - kLocalHeaderBytes) {
      return false;
    }
  }
  return true;
}

void ZipArchive::close() {
  path_.clear();
  entries_.clear();
  names_.clear();
}

int64_t ZipArchive::locate(const std::string& name) const {
  const auto found = names_.find(lookupName(name));
  return found != names_.end() ? static_cast<int64_t>(found->second) : -1;
}

bool ZipArchive::has(const std::string& name) const { return locate(name) >= 0; }

ZipArchive::Status ZipArchive::open(const std::string& name, Stream& stream, uint64_t limit) const {
  stream.reset();
  stream.limit_ = limit;
  const int64_t index = locate(name);
  if (index < 0) return Status::missing;
  const Entry& entry = entries_[static_cast<std::size_t>(index)];
  if (entry.size > limit) return Status::tooLarge;
  if ((entry.flags & kEncryptedFlags) != 0 || (entry.method != kStored && entry.method != kDeflated) ||
      (entry.method == kStored && entry.compressedSize != entry.size)) {
    return Status::damaged;
  }
  // The local header only tells where the data begins; the central
  // directory says everything else.
  stream.file_.open(fileSystemPath(path_), std::ios::binary);
  if (!stream.file_) {
    throwIfOpenLackedMemory();
    return Status::damaged;
  }
  char header[kLocalHeaderBytes];
  if (!readAt(stream.file_, entry.headerOffset, header, sizeof header) || u32(header) != kLocalSignature) {
    return Status::damaged;
  }
  const uint64_t dataOffset = entry.headerOffset + kLocalHeaderBytes + u16(header + 26) + u16(header + 28);
  const uint64_t descriptor = (entry.flags & kDescriptorFlag) != 0 ? kDescriptorBytes : 0;
  if (dataOffset > entry.slotEnd || entry.compressedSize + descriptor > entry.slotEnd - dataOffset) {
    return Status::damaged;
  }
  stream.file_.seekg(static_cast<std::streamoff>(dataOffset), std::ios::beg);
  if (!stream.file_) return Status::damaged;
  stream.entry_ = entry;
  stream.dataLeft_ = entry.compressedSize;
  if (entry.method == kDeflated) {
    const int started = inflateInit2(&stream.zstream_, -MAX_WBITS);
    if (started == Z_MEM_ERROR) throw std::bad_alloc();
    if (started != Z_OK) return Status::damaged;
    stream.inflating_ = true;
    // Room for the whole entry when it is small: documents of many small
    // parts are opened often.
    const uint64_t inputBytes = std::min<uint64_t>(kInputBytes, std::max<uint64_t>(entry.compressedSize, 1));
    stream.input_.resize(static_cast<std::size_t>(inputBytes));
  }
  if (entry.size >= kReadAheadBytes) {
    Stream* const reading = &stream;
    // Without a thread (the system refuses one) the caller inflates.
    try {
      stream.ahead_ = std::make_unique<ReadAhead>(
          [reading](char* buffer, std::size_t size) { return reading->inflate(buffer, size); });
    } catch (const std::system_error&) {
    }
  }
  return Status::ok;
}

ZipArchive::Stream::~Stream() { reset(); }

void ZipArchive::Stream::reset() {
  ahead_.reset();  // stops the thread before the entry is closed under it
  if (inflating_) inflateEnd(&zstream_);
  inflating_ = false;
  zstream_ = z_stream{};
  if (file_.is_open()) file_.close();
  file_.clear();
  entry_ = Entry();
  dataLeft_ = 0;
  total_ = 0;
  crc_ = 0;
  ended_ = false;
  failed_ = false;
}

long long ZipArchive::Stream::read(char* buffer, std::size_t size) {
  return ahead_ != nullptr ? ahead_->read(buffer, size) : inflate(buffer, size);
}

long long ZipArchive::Stream::fail() {
  failed_ = true;
  return -1;
}

bool ZipArchive::Stream::fillInput() {
  const std::size_t size = static_cast<std::size_t>(std::min<uint64_t>(input_.size(), dataLeft_));
  if (!file_.read(input_.data(), static_cast<std::streamsize>(size))) return false;
  zstream_.next_in = reinterpret_cast<Bytef*>(input_.data());
  zstream_.avail_in = static_cast<uInt>(size);
  dataLeft_ -= size;
  return true;
}

long long ZipArchive::Stream::inflate(char* buffer, std::size_t size) {
  if (failed_ || (!file_.is_open() && !ended_)) return -1;
  if (ended_) return 0;
  size = std::min<std::size_t>(size, 1u << 30);
  std::size_t produced = 0;
  bool atEnd = false;
  if (!inflating_) {
    produced = static_cast<std::size_t>(std::min<uint64_t>(size, dataLeft_));
    if (!file_.read(buffer, static_cast<std::streamsize>(produced))) return fail();
    dataLeft_ -= produced;
    atEnd = dataLeft_ == 0;
  } else {
    zstream_.next_out = reinterpret_cast<Bytef*>(buffer);
    zstream_.avail_out = static_cast<uInt>(size);
    while (zstream_.avail_out > 0) {
      if (zstream_.avail_in == 0 && dataLeft_ > 0 && !fillInput()) return fail();
      const int result = ::inflate(&zstream_, Z_NO_FLUSH);
      if (result == Z_STREAM_END) {
        atEnd = true;
        break;
      }
      // A lack of memory is no damage of the file: it ends the run.
      if (result == Z_MEM_ERROR) throw std::bad_alloc();
      // Z_BUF_ERROR: no progress, as the data ended before the stream did.
      if (result != Z_OK) return fail();
    }
    produced = size - zstream_.avail_out;
  }
  total_ += produced;
  // The declared size may lie: what counts is what the entry inflates to.
  if (total_ > limit_ || total_ > entry_.size) return fail();
  crc_ = static_cast<uint32_t>(crc32(crc_, reinterpret_cast<const Bytef*>(buffer), static_cast<uInt>(produced)));
  if (atEnd) {
    if (total_ != entry_.size || crc_ != entry_.crc) return fail();
    ended_ = true;
    file_.close();
  }
  return static_cast<long long>(produced);
}

ZipArchive::Status ZipArchive::read(const std::string& name, std::string& contents, uint64_t limit) const {
  contents.clear();
  Stream stream;
  const Status status = open(name, stream, limit);
  if (status != Status::ok) return status;
  contents.reserve(static_cast<std::size_t>(stream.declaredSize()));
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
