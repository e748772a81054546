#pragma once

#include "log_file/stored_session.h"

#include "log_file/file_system.h"
#include "log_file/session_record.h"

#include <cstdint>
#include <string>

namespace quillmarten {

// What reading a log hands on, slot by slot in file order.
class SessionSink {
  public:
    virtual ~SessionSink() = default;
    virtual void session(const StoredSession& session) = 0;
    // A record that is neither a gap nor a well-formed session; it is left out and reading goes
    // on. `reason` says what is wrong with it in plain words.
    virtual void damaged(std::int64_t slot, const std::string& reason) = 0;
};

// A well-formed session's record, read from slot `slot`, as the session it stores.
StoredSession storedSessionOf(std::int64_t slot, const Record& record);

// Reads the log at `path` for reading only, so that the service may go on writing it meanwhile,
// as far as it reached when it was opened. Gap records are skipped. Raises RaisedError when the
// file cannot be opened or read.
void readSessions(FileSystem& files, const std::string& path, SessionSink& sink);

// Reads an open log from its first slot, no further than byte `end`: a file that grows while it
// is read, or one that has no end, is read only as far as its reader meant to.
void readSessions(File& file, SessionSink& sink, std::uint64_t end);

} // namespace quillmarten
