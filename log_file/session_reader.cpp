#include "log_file/session_reader.h"

#include "log_file/session_log_file.h"

namespace quillmarten {

StoredSession storedSessionOf(std::int64_t slot, const Record& record) {
    return StoredSession{slot, record.start(), record.stop(), secondsOf(record.timeInUse())};
}

void readSessions(FileSystem& files, const std::string& path, SessionSink& sink) {
    const auto file = files.openReadOnly(path);
    readSessions(*file, sink, file->status().size);
}

void readSessions(File& file, SessionSink& sink, std::uint64_t end) {
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
