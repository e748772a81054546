#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

namespace quillmarten {

// A failure as the program reports it: a number and a description. The numbers are the
// classic runtime error numbers the event-log texts have always carried.
class RaisedError : public std::exception {
  public:
    RaisedError(std::int32_t number, std::string description);

    std::int32_t number() const noexcept { return number_; }
    const std::string& description() const noexcept { return description_; }
    const char* what() const noexcept override { return description_.c_str(); }

  private:
    std::int32_t number_;
    std::string description_;
};

namespace error_number {
inline constexpr std::int32_t overflow = 6;
inline constexpr std::int32_t outOfMemory = 7;
inline constexpr std::int32_t typeMismatch = 13;
inline constexpr std::int32_t deviceIoError = 57;
inline constexpr std::int32_t badRecordLength = 59;
inline constexpr std::int32_t diskFull = 61;
inline constexpr std::int32_t permissionDenied = 70;
inline constexpr std::int32_t pathFileAccessError = 75;
inline constexpr std::int32_t pathNotFound = 76;
} // namespace error_number

// The standard description of each number above.
std::string describeError(std::int32_t number);

RaisedError makeError(std::int32_t number);

// "[<number>] <description>", followed by " - <routine>" when a routine is named.
std::string errorReportText(const RaisedError& error, std::string_view routine = {});

} // namespace quillmarten
