#pragma once

#include <windows.h>

namespace quillmarten {

// A handle of the service control manager (OpenSCManagerW, OpenServiceW, CreateServiceW),
// closed with CloseServiceHandle when the object goes.
class ServiceHandle {
  public:
    explicit ServiceHandle(SC_HANDLE handle) : handle_(handle) {}
    ~ServiceHandle() {
        if (handle_ != nullptr) {
            CloseServiceHandle(handle_);
        }
    }
    ServiceHandle(const ServiceHandle&) = delete;
    ServiceHandle& operator=(const ServiceHandle&) = delete;
    explicit operator bool() const { return handle_ != nullptr; }
    SC_HANDLE get() const { return handle_; }

  private:
    SC_HANDLE handle_;
};

} // namespace quillmarten
