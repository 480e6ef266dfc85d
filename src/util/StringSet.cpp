#include "util/StringSet.h"

#include <algorithm>
#include <cstring>
#include <functional>

namespace {
constexpr std::size_t kCopyBlock = 64 * 1024;
}

uint64_t StringSet::hashOf(std::string_view text) { return std::hash<std::string_view>()(text); }

void StringSet::reserve(std::size_t count) {
  std::size_t slots = 16;
  while (slots < 2 * count) slots *= 2;
  if (slots > slots_.size()) rehash(slots);
  entries_.reserve(count);
}

std::size_t StringSet::homeSlot(uint64_t hash) const {
  return static_cast<std::size_t>(hash >> 32 ^ hash) & (slots_.size() - 1);
}

std::size_t StringSet::find(std::string_view text, uint64_t hash) const {
  const std::size_t mask = slots_.size() - 1;
  const uint32_t tag = static_cast<uint32_t>(hash);
  for (std::size_t at = homeSlot(hash);; at = (at + 1) & mask) {
    const Slot& slot = slots_[at];
    if (slot.entry == 0 || (slot.hash == tag && entries_[slot.entry - 1] == text)) return at;
  }
}

bool StringSet::contains(std::string_view text) const {
  if (slots_.empty()) return false;
  return slots_[find(text, hashOf(text))].entry != 0;
}

std::size_t StringSet::indexOf(std::string_view text) const {
  if (slots_.empty()) return npos;
  const uint32_t entry = slots_[find(text, hashOf(text))].entry;
  return entry == 0 ? npos : entry - 1;
}

bool StringSet::insertView(std::string_view text) { return insert(text, false); }

bool StringSet::insertCopy(std::string_view text) { return insert(text, true); }

bool StringSet::insert(std::string_view text, bool copy) {
  if (2 * (entries_.size() + 1) > slots_.size()) rehash(std::max<std::size_t>(16, 2 * slots_.size()));
  const uint64_t hash = hashOf(text);
  Slot& slot = slots_[find(text, hash)];
  if (slot.entry != 0) return false;
  entries_.push_back(copy ? copyOf(text) : text);
  slot.entry = static_cast<uint32_t>(entries_.size());
  slot.hash = static_cast<uint32_t>(hash);
  return true;
}

void StringSet::rehash(std::size_t slots) {
  slots_.assign(slots, Slot());
  const std::size_t mask = slots - 1;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const uint64_t hash = hashOf(entries_[i]);
    std::size_t at = homeSlot(hash);
    while (slots_[at].entry != 0) at = (at + 1) & mask;
    slots_[at].entry = static_cast<uint32_t>(i + 1);
    slots_[at].hash = static_cast<uint32_t>(hash);
  }
}

std::string_view StringSet::copyOf(std::string_view text) {
  if (text.size() > copyRoom_) {
    const std::size_t size = std::max(kCopyBlock, text.size());
    copies_.emplace_back(new char[size]);
    copyNext_ = copies_.back().get();
    copyRoom_ = size;
  }
  if (!text.empty()) std::memcpy(copyNext_, text.data(), text.size());
  const std::string_view copy(copyNext_, text.size());
  copyNext_ += text.size();
  copyRoom_ -= text.size();
  return copy;
}

void StringSet::clear() {
  slots_.clear();
  entries_.clear();
  copies_.clear();
  copyNext_ = nullptr;
  copyRoom_ = 0;
}
