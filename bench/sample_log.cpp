#include "sample_log.h"

#include "log_file/session_record.h"

#include <fstream>
#include <unistd.h>

namespace quillmarten::bench {

std::string sameSession(int) {
    return "20261205080307"
           "20261205174509"
           "0000094200";
}

std::string writeSampleLog(const std::filesystem::path& directory, const SessionText& sessionText) {
    std::filesystem::create_directories(directory);
    const std::string path = (directory / "Quillmarten.dat").string();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    const std::string gap(recordSize, '\0');
    for (int i = 0; i < storedSessions; ++i) {
        out << (i == 0 ? "" : gap) << encodeRecord(sessionText(i));
    }
    return path;
}

std::size_t readWholeFile(const std::string& path, std::span<char> buffer) {
    std::ifstream in(path, std::ios::binary);
    std::size_t total = 0;
    while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) || in.gcount() > 0) {
        total += static_cast<std::size_t>(in.gcount());
    }
    return total;
}

std::filesystem::path benchDirectory() {
    return std::filesystem::temp_directory_path() /
           ("quillmarten-bench-" + std::to_string(::getpid()));
}

} // namespace quillmarten::bench
