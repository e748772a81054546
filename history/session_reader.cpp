#include "session_reader.h"

#include "metering/session_log_file.h"

namespace quillmarten {

std::int64_t readSessions(FileSystem& files, const std::string& path, SessionSink& sink,
                          std::int64_t firstSlot) {
    const auto file = files.openReadOnly(path);
    return scanSlots(
        *file,
        [&sink](std::int64_t number, const RecordSlot& slot) {
            if (slot.kind == SlotKind::session) {
                sink.session(
                    StoredSession{number, slot.start(), slot.stop(), secondsOf(slot.timeInUse())});
            } else if (slot.kind == SlotKind::damaged) {
                sink.damaged(number, damageReason(slot));
            }
        },
        firstSlot);
}

} // namespace quillmarten
