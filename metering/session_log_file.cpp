#include "session_log_file.h"

namespace quillmarten {

namespace {

// The load scan reads the whole file record by record; reading it in large pieces keeps a long
// history from costing one system call per record.
constexpr std::size_t readAheadLength = 64 * 1024;

std::uint64_t recordOffset(std::int32_t number) {
    return static_cast<std::uint64_t>(number - 1) * recordLength;
}

std::size_t lengthField(std::string_view bytes) {
    const auto low = static_cast<unsigned char>(bytes[0]);
    const auto high = static_cast<unsigned char>(bytes[1]);
    return static_cast<std::size_t>(low | (high << 8));
}

StoredRecord decodeRecord(std::string_view bytes) {
    StoredRecord record;
    if (bytes.size() < 2) {
        record.damage = makeError(error_number::badRecordLength);
        return record;
    }
    const std::size_t length = lengthField(bytes);
    const std::string_view characters = bytes.substr(2);
    record.text = std::string(characters.substr(0, length));
    if (length > maxRecordText || bytes.size() < recordLength) {
        record.damage = makeError(error_number::badRecordLength);
    }
    return record;
}

} // namespace

std::string logFilePath(std::string_view applicationPath) {
    std::string path(applicationPath);
    path += '\\';
    path += logFileName;
    return path;
}

std::string encodeRecord(std::string_view text) {
    if (text.size() > maxRecordText) {
        throw makeError(error_number::badRecordLength);
    }
    std::string bytes(recordLength, '\0');
    bytes[0] = static_cast<char>(text.size() & 0xFF);
    bytes[1] = static_cast<char>(text.size() >> 8);
    bytes.replace(2, text.size(), text);
    return bytes;
}

SessionLogFile::SessionLogFile(FileSystem& files, const std::string& path)
    : file_(files.openReadWrite(path)) {}

std::uint64_t SessionLogFile::length() {
    return file_->size();
}

std::string_view SessionLogFile::bufferedRecord(std::uint64_t offset) {
    const bool inBuffer =
        offset >= readAheadOffset_ && offset + recordLength <= readAheadOffset_ + readAhead_.size();
    if (!inBuffer) {
        readAhead_ = file_->readAt(offset, readAheadLength);
        readAheadOffset_ = offset;
    }
    const auto start = static_cast<std::size_t>(offset - readAheadOffset_);
    return std::string_view(readAhead_).substr(start, recordLength);
}

StoredRecord SessionLogFile::readRecord(std::int32_t number) {
    const std::string_view bytes = bufferedRecord(recordOffset(number));
    if (bytes.empty()) {
        endOfFile_ = true;
        return {};
    }
    return decodeRecord(bytes);
}

void SessionLogFile::writeRecord(std::int32_t number, std::string_view text) {
    readAhead_.clear();
    file_->writeAt(recordOffset(number), encodeRecord(text));
}

} // namespace quillmarten
