// Reads the streams of a compound file, the container of .xls workbooks: a
// file of fixed-size sectors chained by an allocation table, with a
// directory of named streams. Every chain and index is checked against the
// file, so a damaged file fails instead of reading outside it or looping.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CompoundFile {
 public:
  // The eight bytes every compound file starts with.
  static const char kSignature[8];

  // Takes the whole file. False when it is not a compound file or its
  // allocation tables or directory are damaged.
  bool load(std::string data);
  // Reads the stream with this name (ASCII case ignored) below the root.
  // False when there is none or its chain is damaged.
  bool readStream(const std::string& name, std::string& contents) const;

 private:
  struct Entry {
    std::string name;  // ASCII part of the UTF-16 name, lower-cased
    uint8_t type = 0;  // 1 storage, 2 stream, 5 root
    uint32_t left = 0, right = 0, child = 0;
    uint32_t start = 0;
    uint64_t size = 0;
  };

  // The steps of load: the sector size and count, the allocation table,
  // the directory (its chain begins at start), the mini stream.
  bool readHeader();
  bool readAllocationTable();
  bool readDirectory(uint32_t start);
  bool readMiniStream(uint32_t miniFatStart);
  bool readChain(uint32_t start, uint64_t size, bool wholeChain, std::string& out) const;
  bool readMiniChain(uint32_t start, uint64_t size, std::string& out) const;
  const char* sector(uint32_t index) const;

  std::string data_;
  uint32_t sectorSize_ = 512;
  uint32_t sectorCount_ = 0;
  uint32_t miniCutoff_ = 4096;
  std::vector<uint32_t> fat_;
  std::vector<uint32_t> miniFat_;
  std::vector<Entry> entries_;
  std::string miniStream_;
};
