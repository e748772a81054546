#include "history/snapshot_lookup.h"

#include <utility>

namespace quillmarten {

std::vector<DaySnapshot> SnapshotLookup::take(std::int64_t start) {
    auto found = waiting_.find(start);
    if (found == waiting_.end()) {
        return {};
    }
    std::vector<DaySnapshot> snapshots = std::move(found->second);
    waiting_.erase(found);
    return snapshots;
}

void SnapshotLookup::giveBack(std::int64_t start, std::vector<DaySnapshot> snapshots) {
    if (snapshots.empty()) {
        return;
    }
    std::vector<DaySnapshot>& kept = waiting_[start];
    snapshots.insert(snapshots.end(), kept.begin(), kept.end());
    kept = std::move(snapshots);
}

} // namespace quillmarten
