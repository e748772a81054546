#pragma once

#include "platform/win32_named_mutex.h"

namespace quillmarten {

// One viewer per user session: a named mutex in the session's Local\ namespace, held for the
// life of the process, and the first viewer's window, found by its class, to wake.
class Win32SingleInstance {
  public:
    bool isFirst() const { return !mutex_.madeElsewhere(); }
    // Asks the first viewer to show its window, letting it come to the front as this start
    // would have.
    void wakeFirst() const;

  private:
    Win32NamedMutex mutex_{L"Local\\Quillmarten.Viewer"};
};

} // namespace quillmarten
