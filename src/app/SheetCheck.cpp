#include "app/SheetCheck.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <unordered_map>

#include "util/StringFormat.h"

namespace {

// The widths of the CANopen data types, in bits.
bool isDataTypeWidth(int32_t size) { return size == 1 || (size >= 8 && size <= 64 && size % 8 == 0); }

std::string label(const ZListEntry& record) {
  return strFormat("0x%xsub%x", record.objectIndex, record.objectSubIndex);
}

std::string bits(const ZListEntry& record) {
  const int64_t first = record.signalOffset;
  const int64_t last = first + record.signalSize - 1;
  return "(bits " + std::to_string(first) + "-" + std::to_string(last) + ")";
}

// For points 0..n-1: "the first record that covers the point", filled in
// table order, and the first record over a range of points. Assigning a
// range keeps each point's earlier record, so a minimum does the job.
class FirstCoverTree {
 public:
  explicit FirstCoverTree(std::size_t points) : size_(std::max<std::size_t>(points, 1)) {
    least_.assign(4 * size_, kNone);
    pending_.assign(4 * size_, kNone);
  }
  void cover(std::size_t from, std::size_t to, std::size_t record) { update(1, 0, size_ - 1, from, to, record); }
  // The first record covering any point of the range; kNone for none.
  std::size_t first(std::size_t from, std::size_t to) const { return query(1, 0, size_ - 1, from, to); }

  static constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();

 private:
  void update(std::size_t node, std::size_t low, std::size_t high, std::size_t from, std::size_t to,
              std::size_t record) {
    if (to < low || high < from) return;
    least_[node] = std::min(least_[node], record);
    if (from <= low && high <= to) {
      pending_[node] = std::min(pending_[node], record);
      return;
    }
    const std::size_t middle = low + (high - low) / 2;
    update(2 * node, low, middle, from, to, record);
    update(2 * node + 1, middle + 1, high, from, to, record);
  }
  std::size_t query(std::size_t node, std::size_t low, std::size_t high, std::size_t from, std::size_t to) const {
    if (to < low || high < from) return kNone;
    if (from <= low && high <= to) return least_[node];
    // A record assigned to this whole node covers every point below it.
    const std::size_t middle = low + (high - low) / 2;
    return std::min({pending_[node], query(2 * node, low, middle, from, to),
                     query(2 * node + 1, middle + 1, high, from, to)});
  }

  std::size_t size_;
  std::vector<std::size_t> least_;    // the first record covering some point of the node
  std::vector<std::size_t> pending_;  // the first record covering all points of the node
};

// The overlap warning of each of one object's records (positions in table
// order); empty where a record overlaps no earlier one.
std::vector<std::string> overlapWarnings(const SignalTable& table, const std::vector<std::size_t>& records) {
  std::vector<std::string> perRecord(records.size());
  // Two runs of bits overlap when the later one's first bit or the earlier
  // one's first bit lies in both; so the first bits are the only points
  // that need looking at, with each run covering the first bits inside it.
  std::vector<int64_t> points;
  for (std::size_t position : records) {
    const ZListEntry& record = table.at(position);
    if (record.signalSize > 0) points.push_back(record.signalOffset);
  }
  std::sort(points.begin(), points.end());
  points.erase(std::unique(points.begin(), points.end()), points.end());
  FirstCoverTree tree(points.size());
  const auto pointsFrom = [&points](int64_t first) {
    return static_cast<std::size_t>(std::lower_bound(points.begin(), points.end(), first) - points.begin());
  };
  const auto pointsUpTo = [&points](int64_t last) {
    return static_cast<std::size_t>(std::upper_bound(points.begin(), points.end(), last) - points.begin());
  };
  for (std::size_t i = 0; i < records.size(); ++i) {
    const ZListEntry& record = table.at(records[i]);
    if (record.signalSize <= 0) continue;
    const int64_t first = record.signalOffset;
    const int64_t last = first + record.signalSize - 1;
    const std::size_t from = pointsFrom(first);
    const std::size_t to = pointsUpTo(last);  // one past; from < to, as first is a point
    const std::size_t earlier = tree.first(from, to - 1);
    if (earlier != FirstCoverTree::kNone) {
      const ZListEntry& other = table.at(records[earlier]);
      perRecord[i] += "Warning: object " + label(record) + ": signals \"" + other.signalName + "\" " + bits(other) +
                      " and \"" + record.signalName + "\" " + bits(record) + " overlap";
    }
    tree.cover(from, to - 1, i);
  }
  return perRecord;
}

}  // namespace

std::vector<std::string> checkSignalSheet(const SignalTable& table) {
  std::vector<std::vector<std::size_t>> objects;
  std::unordered_map<uint64_t, std::size_t> objectOf;
  for (std::size_t position = 0; position < table.count(); ++position) {
    const ZListEntry& record = table.at(position);
    const auto found = objectOf.emplace(objectNumber(record), objects.size());
    if (found.second) objects.emplace_back();
    objects[found.first->second].push_back(position);
  }

  std::vector<std::string> warnings;
  for (const std::vector<std::size_t>& records : objects) {
    const ZListEntry& head = table.at(records.front());
    const std::string prefix = "Warning: object " + label(head) + ": ";
    if (!isDataTypeWidth(head.objectSize)) {
      warnings.push_back(prefix + "object size " + std::to_string(head.objectSize) +
                         " is not the width of a CANopen data type (1, 8, 16, 24, 32, 40, 48, 56 or 64 bits)");
    }
    std::vector<int32_t> sizes;
    for (std::size_t position : records) {
      const int32_t size = table.at(position).objectSize;
      if (std::find(sizes.begin(), sizes.end(), size) == sizes.end()) sizes.push_back(size);
    }
    if (sizes.size() > 1) {
      std::string list;
      for (int32_t size : sizes) list += (list.empty() ? "" : ", ") + std::to_string(size);
      warnings.push_back(prefix + "its signals give different object sizes (" + list + ")");
    }

    std::vector<std::string> overlaps = overlapWarnings(table, records);
    for (std::size_t i = 0; i < records.size(); ++i) {
      const ZListEntry& record = table.at(records[i]);
      if (record.signalSize <= 0) {
        warnings.push_back(prefix + "signal \"" + record.signalName + "\" has no bits (size " +
                           std::to_string(record.signalSize) + ")");
        continue;
      }
      const int64_t end = static_cast<int64_t>(record.signalOffset) + record.signalSize;
      if (record.signalOffset < 0 || end > record.objectSize) {
        warnings.push_back(prefix + "signal \"" + record.signalName + "\" " + bits(record) +
                           " does not lie inside the object of " + std::to_string(record.objectSize) + " bits");
      }
      if (!overlaps[i].empty()) warnings.push_back(std::move(overlaps[i]));
    }
  }
  return warnings;
}
