#pragma once

#include <windows.h>

namespace quillmarten {

// Resource numbers of the pictures compiled into the executable.
namespace picture_id {
inline constexpr int running = 101;
inline constexpr int paused = 102;
inline constexpr int about = 103;
inline constexpr int balloon = 104;
inline constexpr int hand = 105;
inline constexpr int stopped = 106;
} // namespace picture_id

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
