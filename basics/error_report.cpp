#include "basics/error_report.h"

#include <new>
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
    case error_number::internalError:
        return "Internal error";
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

RaisedError currentError() {
    try {
        throw;
    } catch (const RaisedError& error) {
        return error;
    } catch (const std::bad_alloc&) {
        return makeError(error_number::outOfMemory);
    } catch (const std::exception& error) {
        return RaisedError(error_number::internalError,
                           describeError(error_number::internalError) + ": " + error.what());
    } catch (...) {
        return makeError(error_number::internalError);
    }
}

std::string errorReportText(const RaisedError& error, std::string_view origin) {
    std::string text = "[";
    text += std::to_string(error.number());
    text += "] ";
    text += error.description();
    if (!origin.empty()) {
        text += " - ";
        text += origin;
    }
    return text;
}

} // namespace quillmarten
