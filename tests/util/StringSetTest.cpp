#include "util/StringSet.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

// Checked against a std::set on many names, with the set growing from
// empty and from a reservation, keeping views and keeping copies.
TEST(StringSet, AgreesWithAnOrderedSet) {
  std::vector<std::string> names;
  uint32_t state = 12345;
  for (int i = 0; i < 50000; ++i) {
    state = state * 1103515245u + 12345u;
    // Short names from a small alphabet repeat often; some are long.
    std::string name(1 + state % 7, 'a');
    for (char& c : name) {
      state = state * 1103515245u + 12345u;
      c = static_cast<char>('a' + (state >> 16) % 4);
    }
    if (i % 1000 == 0) name += std::string(70000, 'z');  // longer than a copy block
    names.push_back(name);
  }
  names.push_back("");
  names.push_back("");
  for (const bool copies : {false, true}) {
    for (const std::size_t reservation : {std::size_t{0}, names.size()}) {
      StringSet set;
      set.reserve(reservation);
      std::set<std::string> oracle;
      for (const std::string& name : names) {
        // A copy must not depend on the caller's string.
        std::string scratch = name;
        const bool added = copies ? set.insertCopy(scratch) : set.insertView(name);
        if (copies) scratch.assign(scratch.size(), '#');
        EXPECT_EQ(added, oracle.insert(name).second) << name.substr(0, 20);
      }
      EXPECT_EQ(set.size(), oracle.size());
      for (const std::string& name : oracle) EXPECT_TRUE(set.contains(name)) << name.substr(0, 20);
      for (const char* absent : {"e", "aaaaaaaa", "zz", "abcde\n"}) EXPECT_FALSE(set.contains(absent)) << absent;
      set.clear();
      EXPECT_EQ(set.size(), 0u);
      EXPECT_FALSE(set.contains(names[0]));
      EXPECT_TRUE(set.insertCopy(names[0]));
    }
  }
}

}  // namespace
