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
inline constexpr std::int32_t internalError = 51;
inline constexpr std::int32_t deviceIoError = 57;
inline constexpr std::int32_t badRecordLength = 59;
inline constexpr std::int32_t diskFull = 61;
inline constexpr std::int32_t permissionDenied = 70;
inline constexpr std::int32_t pathFileAccessError = 75;
inline constexpr std::int32_t pathNotFound = 76;
} // namespace error_number

// The names that end the texts of error reports, telling where a failure struck. Event-log
// filters and the people who read the log know them, so they stay as they are.
namespace report_origin {
inline constexpr std::string_view meteringStart = "Inizializza";
inline constexpr std::string_view recordRewrite = "Aggiorna";
inline constexpr std::string_view programLoad = "Form_Load";
inline constexpr std::string_view windowUnload = "Form_QueryUnload";
inline constexpr std::string_view serviceDispatch = "RunService";
} // namespace report_origin

// The standard description of each number above.
std::string describeError(std::int32_t number);

RaisedError makeError(std::int32_t number);

// The error a caught exception stands for: a RaisedError as it is, running out of memory as
// error 7, anything else as an internal error with its own text. Call only inside a catch.
RaisedError currentError();

// "[<number>] <description>", followed by " - <origin>" when an origin is named.
std::string errorReportText(const RaisedError& error, std::string_view origin = {});

} // namespace quillmarten
