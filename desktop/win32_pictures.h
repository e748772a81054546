#pragma once

#include <windows.h>

namespace quillmarten {

// The programs' pictures, loaded once and freed when the program ends.
class Win32Pictures {
  public:
    Win32Pictures();
    ~Win32Pictures();
    Win32Pictures(const Win32Pictures&) = delete;
    Win32Pictures& operator=(const Win32Pictures&) = delete;

    HICON running() const { return running_; }
    HICON paused() const { return paused_; }
    HICON stopped() const { return stopped_; }
    HICON about() const { return about_; }
    HBITMAP balloon() const { return balloon_; }
    HCURSOR hand() const { return hand_; }

  private:
    HICON running_;
    HICON paused_;
    HICON stopped_;
    HICON about_;
    HBITMAP balloon_;
    HCURSOR hand_;
};

} // namespace quillmarten
