#pragma once

#include <windows.h>

#include <utility>

namespace e2e {

// Owns one Windows handle and closes it with the matching function, so every early return and
// every exception releases it.
template <typename Handle, auto Close> class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, Handle{});
        }
        return *this;
    }

    [[nodiscard]] Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Handle{}; }

  private:
    void reset() {
        if (handle_ != Handle{}) {
            Close(handle_);
        }
        handle_ = Handle{};
    }

    Handle handle_{};
};

using ServiceHandle = UniqueHandle<SC_HANDLE, &CloseServiceHandle>;
using KernelHandle = UniqueHandle<HANDLE, &CloseHandle>;

} // namespace e2e
