#pragma once

#include "metering/tracker_ports.h"

#include <windows.h>

namespace quillmarten {

// A window timer: its ticks arrive as WM_TIMER messages with this id on the window's thread.
class Win32Timer final : public Timer {
  public:
    Win32Timer(HWND window, UINT_PTR id, UINT intervalMs)
        : window_(window), id_(id), interval_(intervalMs) {}
    ~Win32Timer() override { setEnabled(false); }
    Win32Timer(const Win32Timer&) = delete;
    Win32Timer& operator=(const Win32Timer&) = delete;

    void setEnabled(bool enabled) override {
        if (enabled) {
            SetTimer(window_, id_, interval_, nullptr);
        } else {
            KillTimer(window_, id_);
        }
    }

  private:
    HWND window_;
    UINT_PTR id_;
    UINT interval_;
};

} // namespace quillmarten
