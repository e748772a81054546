#pragma once

#include <windows.h>

namespace quillmarten {

// One viewer per user session: a named mutex in the session's Local\ namespace, held for the
// life of the process, and the first viewer's window, found by its class, to wake.
class Win32SingleInstance {
  public:
    Win32SingleInstance();
    ~Win32SingleInstance();
    Win32SingleInstance(const Win32SingleInstance&) = delete;
    Win32SingleInstance& operator=(const Win32SingleInstance&) = delete;

    bool isFirst() const { return first_; }
    // Asks the first viewer to show its window, letting it come to the front as this start
    // would have.
    void wakeFirst() const;

  private:
    HANDLE mutex_;
    bool first_;
};

} // namespace quillmarten
