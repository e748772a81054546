#pragma once

#include <windows.h>

#include <oleacc.h>

#include <string>

namespace quillmarten {

// The name a screen reader says for a control that shows none of its own, such as a list: its
// window text, which the system's standard object reads, and a dynamic annotation of its
// accessible object, which the list's own object and UI Automation read. The annotation goes with
// the object, which must go before the control.
class Win32AccessibleName {
  public:
    Win32AccessibleName(HWND control, const std::wstring& name);
    ~Win32AccessibleName();
    Win32AccessibleName(const Win32AccessibleName&) = delete;
    Win32AccessibleName& operator=(const Win32AccessibleName&) = delete;

  private:
    HWND control_;
    IAccPropServices* annotations_ = nullptr; // one reference; none where COM offers none
};

} // namespace quillmarten
