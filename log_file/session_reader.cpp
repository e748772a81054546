#include "log_file/session_reader.h"

#include "log_file/session_log_file.h"

namespace quillmarten {

StoredSession storedSessionOf(std::int64_t slot, const Record& record) {
    return StoredSession{slot, record.start(), record.stop(), secondsOf(record.timeInUse())};
}

void readSessions(FileSystem& files, const std::string& path, SessionSink& sink) {
    readSessions(*files.openReadOnly(path), sink);
}

// Slot `last` ends at byte last * recordSize, which bounds the bytes read.
void readSessions(File& file, SessionSink& sink, std::int64_t last) {
    constexpr auto unbounded = std::numeric_limits<std::uint64_t>::max();
    const std::uint64_t end =
        last < static_cast<std::int64_t>(unbounded / recordSize) ? slotEnd(last) : unbounded;
    scanSlots(
        file,
        [&sink](std::int64_t slot, const Record& record) {
            if (record.kind == RecordKind::session) {
                sink.session(storedSessionOf(slot, record));
            } else if (record.kind == RecordKind::damaged) {
                sink.damaged(slot, damageReason(record));
            }
        },
        1, end);
}

} // namespace quillmarten
