#include "session_reader.h"

#include "metering/session_log_file.h"

namespace quillmarten {

StoredSession storedSessionOf(std::int64_t record, const RecordSlot& slot) {
    return StoredSession{record, slot.start(), slot.stop(), secondsOf(slot.timeInUse())};
}

void readSessions(FileSystem& files, const std::string& path, SessionSink& sink) {
    const auto file = files.openReadOnly(path);
    scanSlots(*file, [&sink](std::int64_t number, const RecordSlot& slot) {
        if (slot.kind == SlotKind::session) {
            sink.session(storedSessionOf(number, slot));
        } else if (slot.kind == SlotKind::damaged) {
            sink.damaged(number, damageReason(slot));
        }
    });
}

} // namespace quillmarten
