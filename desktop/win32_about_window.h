#pragma once

#include "desktop/about_window_events.h"
#include "desktop/main_window_events.h"
#include "desktop/win32_pictures.h"
#include "desktop/win32_window.h"

#include <array>
#include <memory>

namespace quillmarten {

// The about window as a Win32 window: translates clicks, activation and the links' colours for
// AboutWindowEvents, and shows the product line, the maker's two links and the balloon picture.
class Win32AboutWindow final : public AboutWindowOpener,
                               public AboutWindowView,
                               public Shell,
                               private WindowMessages {
  public:
    Win32AboutWindow(const Win32Pictures& pictures, HWND hiddenOwner);
    ~Win32AboutWindow() override;
    Win32AboutWindow(const Win32AboutWindow&) = delete;
    Win32AboutWindow& operator=(const Win32AboutWindow&) = delete;

    void showAboutWindow() override;
    void close();

    void moveTo(int left, int top) override;
    void makeTopmost() override;
    void setLinkColour(AboutLinkKind link, std::uint32_t rgb) override;
    void open(std::string_view target) override;

  private:
    std::optional<LRESULT> onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void load();
    HWND addControl(const wchar_t* text, DWORD style, RECT place, UINT_PTR id);
    HWND addLabel(const std::wstring& text, DWORD style, RECT place, UINT_PTR id, HFONT font);
    int rightEdge(HWND control) const;
    std::optional<AboutLinkKind> linkAt(HWND control) const;

    const Win32Pictures& pictures_;
    HWND hiddenOwner_;
    AboutWindowEvents events_;
    std::unique_ptr<Win32Window> window_;
    HFONT linkFont_;
    std::array<HWND, 2> links_{};
    std::array<COLORREF, 2> linkColours_{};
};

} // namespace quillmarten
