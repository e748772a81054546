#pragma once

#include <windows.h>

namespace quillmarten {

// A named mutex through CreateMutexW, held for the life of the object, which tells whether
// another process made it first: one instance of a program per namespace ("Global\" for the
// whole machine, "Local\" for one user session).
class Win32NamedMutex {
  public:
    explicit Win32NamedMutex(const wchar_t* name);
    ~Win32NamedMutex();
    Win32NamedMutex(const Win32NamedMutex&) = delete;
    Win32NamedMutex& operator=(const Win32NamedMutex&) = delete;

    bool madeElsewhere() const { return madeElsewhere_; }

  private:
    HANDLE mutex_;
    bool madeElsewhere_;
};

} // namespace quillmarten
