#include "input/sources/CompoundFile.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "input/sources/LittleEndian.h"

namespace {

using littleendian::u16;
using littleendian::u32;

const uint32_t kEndOfChain = 0xFFFFFFFE;
const uint32_t kNoStream = 0xFFFFFFFF;
const uint32_t kMiniSectorSize = 64;

}  // namespace

const char CompoundFile::kSignature[8] = {'\xD0', '\xCF', '\x11', '\xE0', '\xA1', '\xB1', '\x1A', '\xE1'};

const char* CompoundFile::sector(uint32_t index) const {
  if (index >= sectorCount_) return nullptr;
  return data_.data() + (static_cast<uint64_t>(index) + 1) * sectorSize_;
}

bool CompoundFile::load(std::string data) {
  data_ = std::move(data);
  fat_.clear();
  miniFat_.clear();
  entries_.clear();
  miniStream_.clear();
  if (!readHeader()) return false;
  const char* header = data_.data();
  miniCutoff_ = u32(header + 0x38);
  return readAllocationTable() && readDirectory(u32(header + 0x30)) && readMiniStream(u32(header + 0x3C));
}

bool CompoundFile::readHeader() {
  if (data_.size() < 512 || std::memcmp(data_.data(), kSignature, 8) != 0) return false;
  const uint16_t sectorShift = u16(data_.data() + 0x1E);
  if (sectorShift != 9 && sectorShift != 12) return false;
  sectorSize_ = 1u << sectorShift;
  if (data_.size() < sectorSize_) return false;
  // A last sector cut short still counts; what is missing reads as zeros.
  const uint64_t body = data_.size() - sectorSize_;
  const uint64_t sectors = (body + sectorSize_ - 1) / sectorSize_;
  if (sectors > 0xFFFFFFF0ull) return false;
  sectorCount_ = static_cast<uint32_t>(sectors);
  data_.resize((static_cast<std::size_t>(sectorCount_) + 1) * sectorSize_, '\0');
  return true;
}

// The allocation table's sectors: 109 in the header, the rest in a chain
// of further sectors that each end with the next one's number.
bool CompoundFile::readAllocationTable() {
  const char* header = data_.data();
  const uint32_t fatSectorCount = u32(header + 0x2C);
  if (fatSectorCount > sectorCount_) return false;
  std::vector<uint32_t> fatSectors;
  for (uint32_t i = 0; i < 109 && fatSectors.size() < fatSectorCount; ++i) {
    fatSectors.push_back(u32(header + 0x4C + 4 * i));
  }
  const uint32_t perSector = sectorSize_ / 4;
  uint32_t next = u32(header + 0x44);
  for (uint32_t guard = 0; fatSectors.size() < fatSectorCount; ++guard) {
    const char* p = sector(next);
    if (p == nullptr || guard > sectorCount_) return false;
    for (uint32_t i = 0; i + 1 < perSector && fatSectors.size() < fatSectorCount; ++i) {
      fatSectors.push_back(u32(p + 4 * i));
    }
    next = u32(p + 4 * (perSector - 1));
  }
  for (uint32_t index : fatSectors) {
    const char* p = sector(index);
    if (p == nullptr) return false;
    for (uint32_t i = 0; i < perSector; ++i) fat_.push_back(u32(p + 4 * i));
  }
  return true;
}

bool CompoundFile::readDirectory(uint32_t start) {
  std::string directory;
  if (!readChain(start, 0, true, directory)) return false;
  for (std::size_t offset = 0; offset + 128 <= directory.size(); offset += 128) {
    const char* p = directory.data() + offset;
    Entry entry;
    const uint16_t nameBytes = std::min<uint16_t>(u16(p + 64), 64);
    for (uint16_t i = 0; i + 1 < nameBytes; i += 2) {
      const uint16_t c = u16(p + i);
      if (c == 0) break;
      entry.name += c < 0x80 ? static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c) : '?';
    }
    entry.type = static_cast<uint8_t>(p[66]);
    entry.left = u32(p + 68);
    entry.right = u32(p + 72);
    entry.child = u32(p + 76);
    entry.start = u32(p + 116);
    entry.size = u32(p + 120);  // the high half is not reliable in older files
    if (sectorSize_ == 4096) entry.size |= static_cast<uint64_t>(u32(p + 124)) << 32;
    entries_.push_back(entry);
  }
  return !entries_.empty() && entries_[0].type == 5;
}

// The mini stream (the root entry's data) and the allocation table of its
// small sectors, which begins at miniFatStart.
bool CompoundFile::readMiniStream(uint32_t miniFatStart) {
  std::string miniFat;
  if (miniFatStart != kEndOfChain && miniFatStart != kNoStream) {
    if (!readChain(miniFatStart, 0, true, miniFat)) return false;
    for (std::size_t i = 0; i + 4 <= miniFat.size(); i += 4) miniFat_.push_back(u32(miniFat.data() + i));
  }
  const Entry& root = entries_[0];
  return root.start == kEndOfChain || root.size == 0 || readChain(root.start, root.size, false, miniStream_);
}

bool CompoundFile::readChain(uint32_t start, uint64_t size, bool wholeChain, std::string& out) const {
  out.clear();
  if (!wholeChain && size > static_cast<uint64_t>(sectorCount_) * sectorSize_) return false;
  uint32_t current = start;
  for (uint32_t steps = 0; current != kEndOfChain; ++steps) {
    if (!wholeChain && out.size() >= size) break;
    const char* p = sector(current);
    if (p == nullptr || steps >= sectorCount_ || current >= fat_.size()) return false;
    out.append(p, sectorSize_);
    current = fat_[current];
  }
  if (wholeChain) return true;
  if (out.size() < size) return false;
  out.resize(static_cast<std::size_t>(size));
  return true;
}

bool CompoundFile::readMiniChain(uint32_t start, uint64_t size, std::string& out) const {
  out.clear();
  uint32_t current = start;
  const std::size_t miniSectors = miniStream_.size() / kMiniSectorSize;
  for (std::size_t steps = 0; out.size() < size; ++steps) {
    if (current >= miniSectors || current >= miniFat_.size() || steps >= miniSectors) return false;
    out.append(miniStream_, static_cast<std::size_t>(current) * kMiniSectorSize, kMiniSectorSize);
    current = miniFat_[current];
  }
  out.resize(static_cast<std::size_t>(size));
  return true;
}

bool CompoundFile::readStream(const std::string& name, std::string& contents) const {
  contents.clear();
  if (entries_.empty()) return false;
  std::string wanted;
  for (char c : name) wanted += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);

  // The root's children form a tree through their left and right links;
  // every entry is visited at most once.
  std::vector<bool> visited(entries_.size(), false);
  std::vector<uint32_t> pending = {entries_[0].child};
  while (!pending.empty()) {
    const uint32_t index = pending.back();
    pending.pop_back();
    if (index >= entries_.size() || visited[index]) continue;
    visited[index] = true;
    const Entry& entry = entries_[index];
    if (entry.type == 2 && entry.name == wanted) {
      if (entry.size < miniCutoff_) return readMiniChain(entry.start, entry.size, contents);
      return readChain(entry.start, entry.size, false, contents);
    }
    pending.push_back(entry.left);
    pending.push_back(entry.right);
  }
  return false;
}
