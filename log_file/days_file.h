#pragma once

#include "log_file/file_system.h"

#include <string>
#include <string_view>
#include <vector>

// The days file beside a log: when the counted seconds were counted. Its slots are framed as the
// log's records are. The first holds the header text; each later one a snapshot, a session's
// record as it stood at the last tick counted on one local day, so that its stop's date is that
// day. A session's first snapshot is its beginning: its start as its stop, and no time in use.
namespace quillmarten {

inline constexpr std::string_view daysFileHeader = "Quillmarten days 1";

// The log's path with its file's extension replaced by ".days", or ".days" appended to a name
// without one: "Quillmarten.dat" gives "Quillmarten.days", "logs/lab" gives "logs/lab.days".
std::string daysFileOf(std::string_view logPath);

// Whether the file begins with the header slot.
bool beginsAsDaysFile(File& file);

// Appends the snapshots' records after every byte the file holds, each in a slot of its own,
// behind the header when the file is empty, all in one write: a write that fails leaves nothing.
// A torn last slot stays as it is, a damaged record that readers list and never count.
void appendSnapshots(FileSystem& files, const std::string& path,
                     const std::vector<std::string>& texts);

} // namespace quillmarten
