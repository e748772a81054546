#include "raised_error.h"

#include <utility>

namespace quillmarten {

RaisedError::RaisedError(std::int32_t number, std::string description)
    : number_(number), description_(std::move(description)) {}

std::string describeError(std::int32_t number) {
    switch (number) {
    case error_number::overflow:
        return "Overflow";
    case error_number::outOfMemory:
        return "Out of memory";
    case error_number::typeMismatch:
        return "Type mismatch";
    case error_number::deviceIoError:
        return "Device I/O error";
    case error_number::badRecordLength:
        return "Bad record length";
    case error_number::diskFull:
        return "Disk full";
    case error_number::permissionDenied:
        return "Permission denied";
    case error_number::pathFileAccessError:
        return "Path/File access error";
    case error_number::pathNotFound:
        return "Path not found";
    default:
        return "Application-defined or object-defined error";
    }
}

RaisedError makeError(std::int32_t number) {
    return RaisedError(number, describeError(number));
}

std::string errorReportText(const RaisedError& error, std::string_view routine) {
    std::string text = "[";
    text += std::to_string(error.number());
    text += "] ";
    text += error.description();
    if (!routine.empty()) {
        text += " - ";
        text += routine;
    }
    return text;
}

} // namespace quillmarten
