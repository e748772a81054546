#include "remote_memory.h"

#include "failure.h"

namespace e2e {

RemoteMemory::RemoteMemory(HANDLE process, std::size_t size)
    : process_(process), address_(static_cast<std::byte*>(VirtualAllocEx(
                             process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE))) {
    if (address_ == nullptr) {
        throwLastError(L"VirtualAllocEx");
    }
}

RemoteMemory::~RemoteMemory() {
    VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
}

void RemoteMemory::write(const void* remote, const void* data, std::size_t size) const {
    if (!WriteProcessMemory(process_, const_cast<void*>(remote), data, size, nullptr)) {
        throwLastError(L"WriteProcessMemory");
    }
}

void RemoteMemory::read(const void* remote, void* data, std::size_t size) const {
    if (!ReadProcessMemory(process_, remote, data, size, nullptr)) {
        throwLastError(L"ReadProcessMemory");
    }
}

} // namespace e2e
