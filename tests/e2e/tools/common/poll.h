#pragma once

#include <windows.h>

#include <functional>

namespace e2e {

// Re-checks `condition` every 100 ms until it holds or `timeoutMs` has passed; checks at least
// once. Returns whether it held, so no caller can wait forever.
[[nodiscard]] bool pollUntil(DWORD timeoutMs, const std::function<bool()>& condition);

} // namespace e2e
