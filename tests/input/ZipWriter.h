// Writes zip files for the tests and the fuzz targets: entries stored or
// deflated, with data descriptors or zip64 records on demand, and where
// every record lies, so that a test can damage one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace zipwriter {

struct Entry {
  Entry(std::string entryName, std::string bytes, bool deflated = true)
      : name(std::move(entryName)), data(std::move(bytes)), deflate(deflated) {}
  std::string name;
  std::string data;           // the entry's bytes (with filler: its head)
  bool deflate;
  uint64_t filler = 0;        // blanks after data, generated while deflating
  std::string tail;           // after the blanks
  bool descriptor = false;    // CRC and sizes in a data descriptor after the data
};

// Where the records of a written zip lie.
struct Layout {
  std::vector<std::size_t> local;    // local headers
  std::vector<std::size_t> data;     // the entries' data
  std::vector<std::size_t> central;  // central directory records
  std::size_t end = 0;               // end record
};

// The bytes of a zip with the entries in order; zip64 writes zip64 extra
// fields and end records for every entry.
std::string zipBytes(const std::vector<Entry>& entries, bool zip64 = false, Layout* layout = nullptr);

// Writes zipBytes to path; throws when it cannot.
void writeZip(const std::string& path, const std::vector<Entry>& entries, bool zip64 = false);

// Little-endian fields, for patching records.
void put16(std::string& bytes, std::size_t at, uint16_t value);
void put32(std::string& bytes, std::size_t at, uint32_t value);

}  // namespace zipwriter
