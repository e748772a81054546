#include "log_file/session_reader.h"

#include "log_file/session_log_file.h"

namespace quillmarten {

StoredSession storedSessionOf(std::int64_t record, const RecordSlot& slot) {
    return StoredSession{record, slot.start(), slot.stop(), secondsOf(slot.timeInUse())};
}

void readSessions(FileSystem& files, const std::string& path, SessionSink& sink) {
    readSessions(*files.openReadOnly(path), sink);
}

// Record `last` ends at byte last * recordSize, which bounds the bytes read.
void readSessions(File& file, SessionSink& sink, std::int64_t last) {
    constexpr auto unbounded = std::numeric_limits<std::uint64_t>::max();
    const std::uint64_t end = last < static_cast<std::int64_t>(unbounded / recordSize)
                                  ? static_cast<std::uint64_t>(last) * recordSize
                                  : unbounded;
    scanSlots(
        file,
        [&sink](std::int64_t number, const RecordSlot& slot) {
            if (slot.kind == SlotKind::session) {
                sink.session(storedSessionOf(number, slot));
            } else if (slot.kind == SlotKind::damaged) {
                sink.damaged(number, damageReason(slot));
            }
        },
        1, end);
}

} // namespace quillmarten
