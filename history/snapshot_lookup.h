#pragma once

#include "history/session_days.h"

#include <cstdint>
#include <map>
#include <vector>

namespace quillmarten {

// Snapshots of the days file kept until the session they belong to is read from the log. Both
// files are in time order as the service writes them, so a reader that keeps each snapshot as it
// reads it and takes a session's when the log gives the session holds few at a time.
class SnapshotLookup {
  public:
    void keep(const DaySnapshot& snapshot) { waiting_[snapshot.start].push_back(snapshot); }
    // The snapshots of the session that starts at `start`, in file order, no longer kept.
    std::vector<DaySnapshot> take(std::int64_t start);
    // Keeps a session's snapshots again, before any of the same session kept since.
    void giveBack(std::int64_t start, std::vector<DaySnapshot> snapshots);
    void clear() { waiting_.clear(); }

  private:
    std::map<std::int64_t, std::vector<DaySnapshot>> waiting_;
};

} // namespace quillmarten
