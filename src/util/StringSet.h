// A set of strings for the hundreds of thousands of names of a large run:
// open addressing in one flat table of small slots, so a lookup usually
// touches one slot and, only when a stored hash matches, the string. (A
// node-based set pays a pointer chase, and an allocation per name.)
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

class StringSet {
 public:
  // Makes room for this many strings in all.
  void reserve(std::size_t count);
  // Adds the string unless it is present; true when added. The set keeps a
  // view: the bytes must stay where they are while the set is used.
  bool insertView(std::string_view text);
  // The same, but the set keeps a copy of its own.
  bool insertCopy(std::string_view text);
  bool contains(std::string_view text) const;
  // Where the string stands in the order the strings were added (0 for
  // the first), or npos when it is not in the set.
  std::size_t indexOf(std::string_view text) const;
  static constexpr std::size_t npos = static_cast<std::size_t>(-1);
  std::size_t size() const { return entries_.size(); }
  void clear();

 private:
  struct Slot {
    uint32_t entry = 0;  // index into entries_ + 1; 0: empty
    uint32_t hash = 0;   // the low bits of the string's hash
  };

  static uint64_t hashOf(std::string_view text);
  // Where a string of this hash is looked for first.
  std::size_t homeSlot(uint64_t hash) const;
  // The slot that holds text, or the empty slot where it would go.
  std::size_t find(std::string_view text, uint64_t hash) const;
  bool insert(std::string_view text, bool copy);
  void rehash(std::size_t slots);
  std::string_view copyOf(std::string_view text);

  std::vector<Slot> slots_;  // a power of two, at most half full
  std::vector<std::string_view> entries_;
  std::vector<std::unique_ptr<char[]>> copies_;  // blocks the copies live in
  char* copyNext_ = nullptr;                     // where the next copy goes
  std::size_t copyRoom_ = 0;                     // bytes left in the last block
};
