#pragma once

#include "history/snapshot_lookup.h"
#include "log_file/file_system.h"
#include "log_file/session_log_file.h"

#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace quillmarten {

// The days file beside one log, read along with the log for the report by period. Its first
// reading checks its header, names its damaged records on `err` as "FILE: record N: REASON" and
// sees whether its sessions come in time order; its second hands each session of the log its
// snapshots as it comes, holding only those read ahead of their session. A file out of order is
// kept whole. A missing file is no problem: its log's sessions are estimated; one that cannot be
// read or is not a days file is said once, and estimated likewise.
class DaysFileJoin {
  public:
    DaysFileJoin(FileSystem& files, const std::string& logPath, std::ostream& err);
    DaysFileJoin(const DaysFileJoin&) = delete;
    DaysFileJoin& operator=(const DaysFileJoin&) = delete;

    std::vector<DaySnapshot> snapshotsOf(const StoredSession& session);
    // Whether every record was read, the header included.
    bool allRead() const { return allRead_; }

  private:
    void check(std::uint64_t size);
    void readUntil(std::int64_t start);
    void cannotBeRead(const RaisedError& error);

    std::string path_;
    std::ostream& err_;
    std::unique_ptr<File> file_;
    std::optional<SlotReader> reader_;
    std::int64_t lastStart_ = std::numeric_limits<std::int64_t>::min();
    SnapshotLookup lookup_;
    bool allRead_ = true;
};

} // namespace quillmarten
