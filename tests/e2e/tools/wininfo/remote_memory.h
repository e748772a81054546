#pragma once

#include <windows.h>

#include <cstddef>

namespace e2e {

// A block of memory inside another process, released again with that process's VirtualFreeEx.
// Cross-process list-view messages need their structures and text buffers to live there.
class RemoteMemory {
  public:
    RemoteMemory(HANDLE process, std::size_t size);
    ~RemoteMemory();
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    [[nodiscard]] std::byte* address() const { return address_; }
    void write(const void* remote, const void* data, std::size_t size) const;
    void read(const void* remote, void* data, std::size_t size) const;

  private:
    HANDLE process_;
    std::byte* address_;
};

} // namespace e2e
