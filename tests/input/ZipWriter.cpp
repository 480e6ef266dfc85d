#include "ZipWriter.h"

#include <zlib.h>

#include <algorithm>
#include <fstream>
#include <stdexcept>
#include <string_view>

namespace zipwriter {

void put16(std::string& bytes, std::size_t at, uint16_t value) {
  bytes[at] = static_cast<char>(value & 0xFF);
  bytes[at + 1] = static_cast<char>(value >> 8);
}

void put32(std::string& bytes, std::size_t at, uint32_t value) {
  put16(bytes, at, static_cast<uint16_t>(value & 0xFFFF));
  put16(bytes, at + 2, static_cast<uint16_t>(value >> 16));
}

namespace {

void add16(std::string& out, uint16_t value) {
  out.append(2, '\0');
  put16(out, out.size() - 2, value);
}
void add32(std::string& out, uint32_t value) {
  out.append(4, '\0');
  put32(out, out.size() - 4, value);
}
void add64(std::string& out, uint64_t value) {
  add32(out, static_cast<uint32_t>(value & 0xFFFFFFFFu));
  add32(out, static_cast<uint32_t>(value >> 32));
}

struct Packed {
  std::string bytes;  // stored or deflated
  uint32_t crc = 0;
  uint64_t size = 0;
};

// The entry's bytes one piece at a time: data, filler blanks, tail.
template <typename Sink>
void forEachPiece(const Entry& entry, Sink sink) {
  sink(entry.data, false);
  if (entry.filler == 0) {
    sink(entry.tail, true);
    return;
  }
  const std::string blanks(1 << 20, ' ');
  for (uint64_t left = entry.filler; left > 0;) {
    const std::size_t n = static_cast<std::size_t>(std::min<uint64_t>(left, blanks.size()));
    sink(std::string_view(blanks.data(), n), false);
    left -= n;
  }
  sink(entry.tail, true);
}

Packed pack(const Entry& entry) {
  Packed packed;
  z_stream z{};
  if (entry.deflate && deflateInit2(&z, 1, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
    throw std::runtime_error("deflateInit2");
  }
  char out[1 << 16];
  forEachPiece(entry, [&](std::string_view piece, bool last) {
    packed.crc = static_cast<uint32_t>(crc32(packed.crc, reinterpret_cast<const Bytef*>(piece.data()),
                                             static_cast<uInt>(piece.size())));
    packed.size += piece.size();
    if (!entry.deflate) {
      packed.bytes.append(piece);
      return;
    }
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(piece.data()));
    z.avail_in = static_cast<uInt>(piece.size());
    int result = Z_OK;
    do {
      z.next_out = reinterpret_cast<Bytef*>(out);
      z.avail_out = sizeof out;
      result = deflate(&z, last ? Z_FINISH : Z_NO_FLUSH);
      packed.bytes.append(out, sizeof out - z.avail_out);
    } while (last ? result != Z_STREAM_END : z.avail_out == 0);
  });
  if (entry.deflate) deflateEnd(&z);
  return packed;
}

}  // namespace

std::string zipBytes(const std::vector<Entry>& entries, bool zip64, Layout* layout) {
  std::string out;
  std::string central;
  Layout where;
  for (const Entry& entry : entries) {
    const Packed packed = pack(entry);
    const uint16_t flags = entry.descriptor ? 0x0008 : 0;
    const uint16_t method = entry.deflate ? 8 : 0;
    const uint64_t offset = out.size();
    where.local.push_back(out.size());
    add32(out, 0x04034b50);
    add16(out, zip64 ? 45 : 20);
    add16(out, flags);
    add16(out, method);
    add32(out, 0);  // time, date
    add32(out, entry.descriptor ? 0 : packed.crc);
    add32(out, entry.descriptor ? 0 : zip64 ? 0xFFFFFFFFu : static_cast<uint32_t>(packed.bytes.size()));
    add32(out, entry.descriptor ? 0 : zip64 ? 0xFFFFFFFFu : static_cast<uint32_t>(packed.size));
    add16(out, static_cast<uint16_t>(entry.name.size()));
    add16(out, zip64 ? 20 : 0);
    out += entry.name;
    if (zip64) {
      add16(out, 1);
      add16(out, 16);
      add64(out, entry.descriptor ? 0 : packed.size);
      add64(out, entry.descriptor ? 0 : packed.bytes.size());
    }
    where.data.push_back(out.size());
    out += packed.bytes;
    if (entry.descriptor) {
      add32(out, 0x08074b50);
      add32(out, packed.crc);
      if (zip64) {
        add64(out, packed.bytes.size());
        add64(out, packed.size);
      } else {
        add32(out, static_cast<uint32_t>(packed.bytes.size()));
        add32(out, static_cast<uint32_t>(packed.size));
      }
    }
    where.central.push_back(central.size());  // made absolute below
    add32(central, 0x02014b50);
    add16(central, zip64 ? 45 : 20);
    add16(central, zip64 ? 45 : 20);
    add16(central, flags);
    add16(central, method);
    add32(central, 0);
    add32(central, packed.crc);
    add32(central, zip64 ? 0xFFFFFFFFu : static_cast<uint32_t>(packed.bytes.size()));
    add32(central, zip64 ? 0xFFFFFFFFu : static_cast<uint32_t>(packed.size));
    add16(central, static_cast<uint16_t>(entry.name.size()));
    add16(central, zip64 ? 28 : 0);
    add16(central, 0);  // comment
    add16(central, 0);  // disk
    add16(central, 0);  // internal attributes
    add32(central, 0);  // external attributes
    add32(central, zip64 ? 0xFFFFFFFFu : static_cast<uint32_t>(offset));
    central += entry.name;
    if (zip64) {
      add16(central, 1);
      add16(central, 24);
      add64(central, packed.size);
      add64(central, packed.bytes.size());
      add64(central, offset);
    }
  }
  const uint64_t directoryOffset = out.size();
  for (std::size_t& at : where.central) at += out.size();
  out += central;
  if (zip64) {
    const uint64_t recordOffset = out.size();
    add32(out, 0x06064b50);
    add64(out, 44);
    add16(out, 45);
    add16(out, 45);
    add32(out, 0);
    add32(out, 0);
    add64(out, entries.size());
    add64(out, entries.size());
    add64(out, central.size());
    add64(out, directoryOffset);
    add32(out, 0x07064b50);
    add32(out, 0);
    add64(out, recordOffset);
    add32(out, 1);
  }
  where.end = out.size();
  add32(out, 0x06054b50);
  add32(out, 0);  // disk, disk of the central directory
  add16(out, zip64 ? 0xFFFF : static_cast<uint16_t>(entries.size()));
  add16(out, zip64 ? 0xFFFF : static_cast<uint16_t>(entries.size()));
  add32(out, zip64 ? 0xFFFFFFFFu : static_cast<uint32_t>(central.size()));
  add32(out, zip64 ? 0xFFFFFFFFu : static_cast<uint32_t>(directoryOffset));
  add16(out, 0);
  if (layout != nullptr) *layout = where;
  return out;
}

void writeZip(const std::string& path, const std::vector<Entry>& entries, bool zip64) {
  const std::string bytes = zipBytes(entries, zip64);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace zipwriter
