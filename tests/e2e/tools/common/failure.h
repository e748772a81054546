#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace e2e {

// Thrown for any condition that ends a helper with a message and a non-zero exit code; main()
// catches it in one place so the commands stay free of error plumbing.
class Failure : public std::runtime_error {
  public:
    explicit Failure(const std::wstring& message);
    [[nodiscard]] const std::wstring& message() const { return message_; }

  private:
    std::wstring message_;
};

// A Failure naming the failed call and the text of GetLastError().
[[noreturn]] void throwLastError(std::wstring_view call);

// Wrong command line: reported with the usage text and exit code 2.
class UsageError : public Failure {
  public:
    using Failure::Failure;
};

} // namespace e2e
