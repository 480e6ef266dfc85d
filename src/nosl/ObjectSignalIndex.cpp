#include "nosl/ObjectSignalIndex.h"

#include <map>

ObjectSignalIndex::ObjectSignalIndex(const SignalTable& table) : recordCount_(table.count()) {
  for (std::size_t position = 0; position < table.count(); ++position) {
    const ZListEntry& record = table.at(position);
    if (record.signalReserved == 1) continue;
    positions_[key(record.objectIndex, record.objectSubIndex)].push_back(position);
  }
}

std::shared_ptr<const ObjectSignalIndex> ObjectSignalIndex::shared(const SignalTable& table) {
  // One entry per table that currently has a live index. The entries hold
  // weak references, so an index goes away with the last piece using it.
  static std::map<const SignalTable*, std::weak_ptr<const ObjectSignalIndex>> cache;

  for (auto it = cache.begin(); it != cache.end();) {
    it = it->second.expired() ? cache.erase(it) : std::next(it);
  }
  std::weak_ptr<const ObjectSignalIndex>& slot = cache[&table];
  std::shared_ptr<const ObjectSignalIndex> index = slot.lock();
  if (!index || index->recordCount() != table.count()) {
    index = std::make_shared<const ObjectSignalIndex>(table);
    slot = index;
  }
  return index;
}

const std::vector<std::size_t>& ObjectSignalIndex::positions(uint32_t objectIndex,
                                                             uint32_t objectSubIndex) const {
  static const std::vector<std::size_t> kNone;
  const auto it = positions_.find(key(objectIndex, objectSubIndex));
  return it == positions_.end() ? kNone : it->second;
}
