#pragma once

#include "remote_memory.h"
#include "unique_handle.h"

#include <string>
#include <vector>

namespace e2e {

struct ListColumn {
    int width;
    std::wstring text;
};

// Reads a SysListView32 that belongs to another process. The messages that carry pointers are
// answered inside the owner, so their structures and buffers are placed in its memory. Works for
// virtual (LVS_OWNERDATA) lists too: the list asks its owner for the text while answering. Helper
// and owner must have the same bitness, because the structures are copied byte for byte.
class RemoteListView {
  public:
    explicit RemoteListView(HWND list);

    [[nodiscard]] int itemCount() const;
    [[nodiscard]] std::vector<ListColumn> columns() const;
    [[nodiscard]] std::wstring itemText(int item, int subItem) const;
    [[nodiscard]] bool isSelected(int item) const;
    // -1 when no row is selected.
    [[nodiscard]] int firstSelected() const;

  private:
    LRESULT send(UINT message, WPARAM wParam, LPARAM lParam) const;
    [[nodiscard]] wchar_t* remoteText() const;
    [[nodiscard]] std::wstring readRemoteText(const wchar_t* remote, std::size_t length) const;

    HWND list_;
    KernelHandle process_;
    RemoteMemory memory_;
};

} // namespace e2e
