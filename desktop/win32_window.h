#pragma once

#include "metering/event_log.h"

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace quillmarten {

// What a window does with its messages; nullopt leaves a message to the default handling.
class WindowMessages {
  public:
    virtual ~WindowMessages() = default;
    virtual std::optional<LRESULT> onMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

struct WindowStyle {
    DWORD style = 0;
    DWORD extendedStyle = 0;
    HICON icon = nullptr;
    HWND owner = nullptr;
};

// A top-level window of its own class that hands its messages to a handler. It is destroyed
// with the object unless something destroyed it first.
class Win32Window {
  public:
    Win32Window(const wchar_t* className, const std::wstring& title, const WindowStyle& style,
                WindowMessages& handler);
    ~Win32Window();
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;

    HWND handle() const { return handle_; }
    bool exists() const { return handle_ != nullptr; }
    void destroy();

  private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The handler's answer; a failure inside it is reported and the message counts as handled.
    std::optional<LRESULT> forward(UINT message, WPARAM wParam, LPARAM lParam);

    WindowMessages& handler_;
    HWND handle_ = nullptr;
    // The owner's members may not exist yet while the window is being created.
    bool forwarding_ = false;
};

// Where a failure that reaches a window procedure is reported (nullptr: nowhere). An exception
// must not pass through the system's code back to the message loop, so it is reported there
// and the message counts as handled.
void reportWindowFailuresTo(EventWriter* events);

// The density of the monitor the window is on, where Windows tells it (Windows 10 and later),
// else, and for no window, the screen's: what every window of a program has that is not aware of
// each monitor's own.
int windowDpi(HWND window);

// Pixels at the window's density (see windowDpi) for a length given in pixels at 96 dpi.
int scaledPixels(int pixelsAt96Dpi, HWND window = nullptr);

// The font in which Windows shows messages, at the window's density; deleted when the object goes.
class MessageFont {
  public:
    explicit MessageFont(HWND window);
    ~MessageFont();
    MessageFont(const MessageFont&) = delete;
    MessageFont& operator=(const MessageFont&) = delete;
    HFONT get() const { return font_; }

  private:
    HFONT font_;
};

// Sizes the window so that its client area is `width` x `height` pixels.
void setClientPixels(HWND window, int width, int height);

// How wide `text` is, and how high a line, in pixels, in the font of the control or window.
int textWidth(HWND control, std::wstring_view text);
int lineHeight(HWND control);

} // namespace quillmarten
