#pragma once

#include <windows.h>

namespace e2e {

// One line: hwnd= visible= topmost= toolwindow= appwindow= rect=L,T,R,B client=WxH class= title=
// (the title last, since it may contain spaces).
void printWindow(HWND window);

// Tab-separated lines for the first SysListView32 inside `window`:
//   columns N / column INDEX WIDTH TEXT / rows N / row INDEX SELECTED TEXT... / selected INDEX|-1
void printListRows(HWND window);

} // namespace e2e
