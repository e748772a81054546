#pragma once

#include <windows.h>

namespace e2e {

// Tab-separated lines for the first SysListView32 inside `window`, which may belong to another
// process of the helper's own bitness: column INDEX WIDTH TEXT (one per column), rows COUNT,
// row INDEX SELECTED(0|1) TEXT... (one per row, a text per column), selected INDEX (-1 for none).
void printListRows(HWND window);

} // namespace e2e
