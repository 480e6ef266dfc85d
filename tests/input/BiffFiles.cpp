#include "BiffFiles.h"

#include <cstring>

namespace bifffiles {

namespace {

const uint32_t kEndOfChain = 0xFFFFFFFE;
const uint32_t kFree = 0xFFFFFFFF;
const uint32_t kFatSector = 0xFFFFFFFD;
const std::size_t kSector = 512;
const std::size_t kMiniSector = 64;
const std::size_t kMiniCutoff = 4096;

std::string bof(bool biff8, uint16_t type) {
  std::string data = u16(biff8 ? 0x0600 : 0x0500) + u16(type) + u16(0x0DBB) + u16(0x07CC);
  if (biff8) data += u32(0) + u32(0x0006);
  return record(0x0809, data);
}

// Appends sectors holding data to the file body and links them in the
// allocation table; returns the first sector (end of chain when empty).
uint32_t appendChain(std::vector<std::string>& sectors, std::vector<uint32_t>& fat, const std::string& data,
                     std::size_t sectorSize) {
  if (data.empty()) return kEndOfChain;
  const auto first = static_cast<uint32_t>(sectors.size());
  for (std::size_t at = 0; at < data.size(); at += sectorSize) {
    std::string sector = data.substr(at, sectorSize);
    sector.resize(sectorSize, '\0');
    sectors.push_back(sector);
    fat.push_back(at + sectorSize < data.size() ? static_cast<uint32_t>(sectors.size()) : kEndOfChain);
  }
  return first;
}

std::string directoryEntry(const std::string& name, uint8_t type, uint32_t right, uint32_t child, uint32_t start,
                           uint32_t size) {
  std::string entry(128, '\0');
  for (std::size_t i = 0; i < name.size() && i < 31; ++i) entry[2 * i] = name[i];
  const std::string nameBytes = u16(static_cast<uint16_t>(2 * (std::min<std::size_t>(name.size(), 31) + 1)));
  entry.replace(64, 2, nameBytes);
  entry[66] = static_cast<char>(type);
  entry[67] = 1;  // black
  entry.replace(68, 4, u32(kFree));
  entry.replace(72, 4, u32(right));
  entry.replace(76, 4, u32(child));
  entry.replace(116, 4, u32(start));
  entry.replace(120, 4, u32(size));
  return entry;
}

}  // namespace

std::string u16(uint16_t value) {
  return std::string{static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

std::string u32(uint32_t value) {
  return u16(static_cast<uint16_t>(value & 0xFFFF)) + u16(static_cast<uint16_t>(value >> 16));
}

std::string f64(double value) {
  uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return u32(static_cast<uint32_t>(bits & 0xFFFFFFFF)) + u32(static_cast<uint32_t>(bits >> 32));
}

std::string record(uint16_t id, const std::string& data) { return u16(id) + u16(static_cast<uint16_t>(data.size())) + data; }

std::string chars8(const std::string& latin1) { return latin1; }

std::string chars16(const std::u16string& text) {
  std::string bytes;
  for (char16_t unit : text) bytes += u16(static_cast<uint16_t>(unit));
  return bytes;
}

std::string string8(const std::string& latin1) {
  return u16(static_cast<uint16_t>(latin1.size())) + std::string(1, '\0') + chars8(latin1);
}

std::string string16(const std::u16string& text) {
  return u16(static_cast<uint16_t>(text.size())) + std::string(1, '\x01') + chars16(text);
}

std::string number(uint16_t row, uint16_t column, double value, uint16_t style) {
  return record(0x0203, u16(row) + u16(column) + u16(style) + f64(value));
}

std::string labelSst(uint16_t row, uint16_t column, uint32_t index) {
  return record(0x00FD, u16(row) + u16(column) + u16(15) + u32(index));
}

std::string label(uint16_t row, uint16_t column, const std::string& string) {
  return record(0x0204, u16(row) + u16(column) + u16(15) + string);
}

std::string textFormula(uint16_t row, uint16_t column) {
  const std::string result = std::string(6, '\0') + "\xFF\xFF";
  return record(0x0006, u16(row) + u16(column) + u16(15) + result + u16(0) + u32(0) + u16(0));
}

std::string workbookStream(const std::string& globals, const std::vector<Sheet>& sheets, bool biff8) {
  std::string head = bof(biff8, 0x0005) + globals;
  std::size_t offset = head.size() + 4;  // the globals' EOF
  for (const Sheet& sheet : sheets) offset += 4 + 6 + sheet.name.size();
  std::string boundSheets;
  std::string substreams;
  for (const Sheet& sheet : sheets) {
    boundSheets += record(0x0085, u32(static_cast<uint32_t>(offset + substreams.size())) + std::string(1, '\0') +
                                      std::string(1, static_cast<char>(sheet.type)) + sheet.name);
    substreams += bof(biff8, sheet.type == 2 ? 0x0020 : 0x0010) + sheet.records + record(0x000A, "");
  }
  return head + boundSheets + record(0x000A, "") + substreams;
}

std::string compoundFile(const std::vector<std::pair<std::string, std::string>>& streams) {
  // Small streams one after another in the mini stream, in 64-byte sectors.
  std::string miniStream;
  std::vector<uint32_t> miniFat;
  std::vector<uint32_t> starts(streams.size(), kEndOfChain);
  std::vector<std::string> miniSectors;
  for (std::size_t i = 0; i < streams.size(); ++i) {
    if (streams[i].second.size() >= kMiniCutoff) continue;
    starts[i] = appendChain(miniSectors, miniFat, streams[i].second, kMiniSector);
  }
  for (const std::string& sector : miniSectors) miniStream += sector;
  std::string miniFatBytes;
  for (uint32_t entry : miniFat) miniFatBytes += u32(entry);

  // Regular sectors: the streams, the mini stream, the mini allocation
  // table, the directory; the allocation table's sectors go last.
  std::vector<std::string> sectors;
  std::vector<uint32_t> fat;
  for (std::size_t i = 0; i < streams.size(); ++i) {
    if (streams[i].second.size() >= kMiniCutoff) starts[i] = appendChain(sectors, fat, streams[i].second, kSector);
  }
  const uint32_t miniStreamStart = appendChain(sectors, fat, miniStream, kSector);
  const uint32_t miniFatStart = appendChain(sectors, fat, miniFatBytes, kSector);
  std::string directory =
      directoryEntry("Root Entry", 5, kFree, streams.empty() ? kFree : 1, miniStreamStart,
                     static_cast<uint32_t>(miniStream.size()));
  for (std::size_t i = 0; i < streams.size(); ++i) {
    const uint32_t right = i + 1 < streams.size() ? static_cast<uint32_t>(i + 2) : kFree;
    directory += directoryEntry(streams[i].first, 2, right, kFree, starts[i],
                                static_cast<uint32_t>(streams[i].second.size()));
  }
  const uint32_t directoryStart = appendChain(sectors, fat, directory, kSector);
  std::size_t fatSectors = 1;
  while ((sectors.size() + fatSectors) > fatSectors * (kSector / 4)) ++fatSectors;
  const auto firstFatSector = static_cast<uint32_t>(sectors.size());
  for (std::size_t i = 0; i < fatSectors; ++i) {
    sectors.emplace_back();
    fat.push_back(kFatSector);
  }
  fat.resize(fatSectors * (kSector / 4), kFree);
  for (std::size_t i = 0; i < fatSectors; ++i) {
    std::string sector;
    for (std::size_t k = 0; k < kSector / 4; ++k) sector += u32(fat[i * (kSector / 4) + k]);
    sectors[firstFatSector + i] = sector;
  }

  std::string header = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1" + std::string(16, '\0') + u16(0x003E) + u16(0x0003) +
                       u16(0xFFFE) + u16(9) + u16(6) + std::string(10, '\0') +
                       u32(static_cast<uint32_t>(fatSectors)) + u32(directoryStart) + u32(0) +
                       u32(static_cast<uint32_t>(kMiniCutoff)) + u32(miniFatStart) +
                       u32(static_cast<uint32_t>((miniFatBytes.size() + kSector - 1) / kSector)) + u32(kEndOfChain) +
                       u32(0);
  for (std::size_t i = 0; i < 109; ++i) {
    header += u32(i < fatSectors ? firstFatSector + static_cast<uint32_t>(i) : kFree);
  }
  std::string file = header;
  for (const std::string& sector : sectors) file += sector;
  return file;
}

}  // namespace bifffiles
