#include "desktop/win32_about_window.h"

#include "basics/program_version.h"
#include "platform/win32_text.h"

#include <shellapi.h>

#include <algorithm>
#include <string>

namespace quillmarten {

namespace {

constexpr int clientWidth = 270;
constexpr int clientHeight = 80;
constexpr UINT_PTR firstLinkId = 100;
// Room beside a label's text, so that no pixel of its last letter is lost.
constexpr int labelMargin = 2;

// Places in pixels at 96 dpi: left, top, width, height.
constexpr RECT picturePlace{6, 6, 40, 39};
constexpr RECT productPlace{62, 6, 185, 15};
constexpr std::array<RECT, 2> linkPlaces{RECT{66, 24, 177, 25}, RECT{6, 48, 239, 25}};

COLORREF fromRgb(std::uint32_t rgb) {
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

HFONT createLinkFont() {
    return CreateFontW(-scaledPixels(16), 0, 0, 0, FW_NORMAL, FALSE, TRUE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif");
}

} // namespace

Win32AboutWindow::Win32AboutWindow(const Win32Pictures& pictures, HWND hiddenOwner)
    : pictures_(pictures), hiddenOwner_(hiddenOwner), events_(*this, *this),
      linkFont_(createLinkFont()) {}

Win32AboutWindow::~Win32AboutWindow() {
    close();
    DeleteObject(linkFont_);
}

void Win32AboutWindow::close() {
    window_.reset();
}

// Showing it while it is open neither loads it again nor moves it back to the corner.
void Win32AboutWindow::showAboutWindow() {
    if (!window_ || !window_->exists()) {
        load();
    }
    ShowWindow(window_->handle(), SW_SHOW);
    SetForegroundWindow(window_->handle());
}

// A hidden owner keeps the window off the taskbar without tying it to the main window.
void Win32AboutWindow::load() {
    window_.reset();
    linkColours_.fill(fromRgb(linkBlue));
    window_ = std::make_unique<Win32Window>(L"QuillmartenInfo", L"Quillmarten",
                                            WindowStyle{WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                                        WS_EX_DLGMODALFRAME, pictures_.about(),
                                                        hiddenOwner_},
                                            static_cast<WindowMessages&>(*this));
    const HWND picture = addControl(L"", SS_BITMAP, picturePlace, 0);
    SendMessageW(picture, STM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(pictures_.balloon()));
    const HWND product = addLabel(widen(productLine), SS_LEFT, productPlace, 0,
                                  static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    const std::array<std::string_view, 2> captions{webLink.caption, mailLink.caption};
    for (std::size_t index = 0; index < links_.size(); ++index) {
        links_[index] = addLabel(widen(captions[index]), SS_CENTER | SS_NOTIFY, linkPlaces[index],
                                 firstLinkId + index, linkFont_);
    }
    int width = scaledPixels(clientWidth);
    for (const HWND label : {product, links_[0], links_[1]}) {
        width =
            std::max(width, rightEdge(label) + scaledPixels(static_cast<int>(picturePlace.left)));
    }
    setClientPixels(window_->handle(), width, scaledPixels(clientHeight));
    events_.onLoad();
}

HWND Win32AboutWindow::addControl(const wchar_t* text, DWORD style, RECT place, UINT_PTR id) {
    return CreateWindowExW(
        0, L"STATIC", text, WS_CHILD | WS_VISIBLE | style,
        scaledPixels(static_cast<int>(place.left)), scaledPixels(static_cast<int>(place.top)),
        scaledPixels(static_cast<int>(place.right)), scaledPixels(static_cast<int>(place.bottom)),
        window_->handle(), reinterpret_cast<HMENU>(id), GetModuleHandleW(nullptr), nullptr);
}

// As wide as its place or as its text in its font needs, whichever is more: the font a system
// puts in place of the one asked for may be wider than the one the layout was made for.
HWND Win32AboutWindow::addLabel(const std::wstring& text, DWORD style, RECT place, UINT_PTR id,
                                HFONT font) {
    const HWND label = addControl(text.c_str(), style, place, id);
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    const int needed = textWidth(label, text) + scaledPixels(labelMargin);
    if (needed > scaledPixels(static_cast<int>(place.right))) {
        SetWindowPos(label, nullptr, 0, 0, needed, scaledPixels(static_cast<int>(place.bottom)),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return label;
}

int Win32AboutWindow::rightEdge(HWND control) const {
    RECT place{};
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, window_->handle(), reinterpret_cast<POINT*>(&place), 2);
    return place.right;
}

void Win32AboutWindow::moveTo(int left, int top) {
    SetWindowPos(window_->handle(), nullptr, left, top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32AboutWindow::makeTopmost() {
    SetWindowPos(window_->handle(), HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void Win32AboutWindow::setLinkColour(AboutLinkKind link, std::uint32_t rgb) {
    const auto index = static_cast<std::size_t>(link);
    linkColours_[index] = fromRgb(rgb);
    InvalidateRect(links_[index], nullptr, TRUE);
}

void Win32AboutWindow::open(std::string_view target) {
    ShellExecuteA(window_->handle(), nullptr, std::string(target).c_str(), "", nullptr, SW_SHOW);
}

std::optional<AboutLinkKind> Win32AboutWindow::linkAt(HWND control) const {
    for (std::size_t index = 0; index < links_.size(); ++index) {
        if (links_[index] == control) {
            return static_cast<AboutLinkKind>(index);
        }
    }
    return std::nullopt;
}

std::optional<LRESULT> Win32AboutWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) {
            events_.onActivate();
        }
        return std::nullopt;
    case WM_COMMAND:
        if (HIWORD(wParam) == STN_CLICKED) {
            if (const auto link = linkAt(reinterpret_cast<HWND>(lParam))) {
                events_.onLinkClick(*link);
            }
        }
        return 0;
    case WM_CTLCOLORSTATIC:
        if (const auto link = linkAt(reinterpret_cast<HWND>(lParam))) {
            const auto dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, linkColours_[static_cast<std::size_t>(*link)]);
            SetBkMode(dc, TRANSPARENT);
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        return std::nullopt;
    case WM_SETCURSOR:
        if (linkAt(reinterpret_cast<HWND>(wParam))) {
            SetCursor(pictures_.hand());
            return TRUE;
        }
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

} // namespace quillmarten
