#include "viewer/win32_viewer_window.h"

#include "viewer/high_contrast.h"

#include "desktop/win32_tray.h"
#include "platform/win32_text.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cstring>

namespace quillmarten {

namespace {

constexpr int clientWidth = 920;
constexpr int clientHeight = 540;
// The chart takes two fifths of what the status bar leaves, at least this much.
constexpr int leastChartHeight = 150;
constexpr COLORREF damagedRed = RGB(204, 0, 0);
// A status bar's part keeps a margin around its text.
constexpr int partMargins = 16;

// The window's shortcuts, as commands of its own.
enum ShortcutCommand : WORD { exportCommand = 201, readAgainCommand };

HACCEL makeShortcuts() {
    std::array<ACCEL, 2> shortcuts{
        {{FVIRTKEY | FCONTROL, 'E', exportCommand}, {FVIRTKEY, VK_F5, readAgainCommand}}};
    return CreateAcceleratorTableW(shortcuts.data(), static_cast<int>(shortcuts.size()));
}

} // namespace

Win32ViewerWindow::Win32ViewerWindow(HICON icon, const SessionRows& rows,
                                     ViewerPresenter& presenter)
    : presenter_(presenter), taskbarCreated_(RegisterWindowMessageW(L"TaskbarCreated")),
      window_(className, widen(viewerTitle),
              WindowStyle{WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, icon, nullptr}, *this),
      statusBar_(CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP,
                                 0, 0, 0, 0, window_.handle(), nullptr, GetModuleHandleW(nullptr),
                                 nullptr)),
      list_(window_.handle(), rows, clientWidth, clientHeight),
      listName_(std::in_place, list_.handle(), L"Sessions"),
      chart_(window_.handle(),
             [this](const ChartSpan& span) { presenter_.onChartSpanChosen(span); }),
      shortcuts_(makeShortcuts()) {
    useColours();
    useDensity();
    // As large as its layout at the window's density, but no larger than the screen.
    RECT workArea{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    const int frame = GetSystemMetrics(SM_CXFRAME) * 2;
    setClientPixels(
        window_.handle(),
        std::min<int>(scaledPixels(clientWidth, window_.handle()),
                      workArea.right - workArea.left - frame),
        std::min<int>(scaledPixels(clientHeight, window_.handle()),
                      workArea.bottom - workArea.top - 2 * frame - GetSystemMetrics(SM_CYCAPTION)));
    layOut();
}

// The window and its controls go while the objects they hand their messages to are still there.
Win32ViewerWindow::~Win32ViewerWindow() {
    window_.destroy();
}

// The font, the columns and the status bar's parts at the window's density: at start, and
// whenever the window moves to a monitor of another. The new font is in place before the old one
// goes.
void Win32ViewerWindow::useDensity() {
    auto font = std::make_unique<MessageFont>(window_.handle());
    for (const HWND control : {list_.handle(), statusBar_, chart_.handle()}) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font->get()), TRUE);
    }
    font_ = std::move(font);
    list_.fitColumns();
    partWidths_.clear();
    for (std::size_t index = 1; index < partTexts_.size(); ++index) {
        partWidths_.push_back(partWidth(partTexts_[index]));
    }
}

// At start, and whenever the theme's colours or the high-contrast setting change.
void Win32ViewerWindow::useColours() {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    const bool highContrastOn =
        SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) != FALSE &&
        (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
    const bool systemOnly =
        systemColoursOnly(highContrastOn, GetSysColor(COLOR_3DFACE), GetSysColor(COLOR_WINDOW));
    list_.markDamagedRows(systemOnly ? GetSysColor(COLOR_GRAYTEXT) : damagedRed);
    chart_.hatchWeekends(systemOnly);
}

int Win32ViewerWindow::partWidth(const std::wstring& text) const {
    return textWidth(statusBar_, text) + scaledPixels(partMargins, window_.handle());
}

void Win32ViewerWindow::setCaption(const std::string& caption) {
    SetWindowTextW(window_.handle(), widen(caption).c_str());
}

bool Win32ViewerWindow::isVisible() const {
    return IsWindowVisible(window_.handle()) != FALSE && IsIconic(window_.handle()) == FALSE;
}

void Win32ViewerWindow::setVisible(bool visible) {
    if (!visible) {
        ShowWindow(window_.handle(), SW_HIDE);
        return;
    }
    ShowWindow(window_.handle(), IsIconic(window_.handle()) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(window_.handle());
}

// The parts are laid out before their texts are set: a part that does not exist yet keeps none.
// Only a text that changed is measured and set.
void Win32ViewerWindow::setStatusParts(const std::vector<std::string>& parts) {
    std::vector<std::wstring> texts;
    std::vector<int> widths;
    for (const std::string& part : parts) {
        texts.push_back(widen(part));
        const std::size_t index = texts.size() - 1;
        if (index > 0) {
            const bool same = index < partTexts_.size() && partTexts_[index] == texts[index];
            widths.push_back(same ? partWidths_[index - 1] : partWidth(texts[index]));
        }
    }
    if (widths != partWidths_) {
        partWidths_ = widths;
        partTexts_.clear();
        layOut();
    }
    for (std::size_t index = 0; index < texts.size(); ++index) {
        if (index >= partTexts_.size() || partTexts_[index] != texts[index]) {
            SendMessageW(statusBar_, SB_SETTEXTW, index,
                         reinterpret_cast<LPARAM>(texts[index].c_str()));
        }
    }
    partTexts_ = std::move(texts);
}

void Win32ViewerWindow::showChart(const UsageChart& chart) {
    chart_.show(chart);
}

// The status bar sizes itself along the bottom; the chart stands above it and the list takes
// the rest, its columns sharing the width. The parts after the first are as wide as their texts,
// from the right edge, the last one leaving room for the grip.
void Win32ViewerWindow::layOut() {
    SendMessageW(statusBar_, WM_SIZE, 0, 0);
    RECT client{};
    GetClientRect(window_.handle(), &client);
    RECT bar{};
    GetWindowRect(statusBar_, &bar);
    const int above = client.bottom - (bar.bottom - bar.top);
    const int chartHeight = std::min(
        above / 2, std::max(scaledPixels(leastChartHeight, window_.handle()), above * 2 / 5));
    list_.place(RECT{0, 0, client.right, above - chartHeight});
    list_.spreadColumns(client.right - GetSystemMetrics(SM_CXVSCROLL));
    chart_.place(RECT{0, above - chartHeight, client.right, above});
    std::vector<int> edges(partWidths_.size() + 1, -1);
    int edge = client.right - GetSystemMetrics(SM_CXVSCROLL);
    for (std::size_t index = partWidths_.size(); index > 0; --index) {
        edge -= partWidths_[index - 1];
        edges[index - 1] = edge;
    }
    SendMessageW(statusBar_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

std::string Win32ViewerWindow::placement() const {
    WINDOWPLACEMENT place{};
    place.length = sizeof place;
    GetWindowPlacement(window_.handle(), &place);
    return std::string(reinterpret_cast<const char*>(&place), sizeof place);
}

// A window left minimised comes back at its normal size; one left maximised, maximised.
void Win32ViewerWindow::restorePlacement(std::string_view placement) {
    WINDOWPLACEMENT place{};
    if (placement.size() != sizeof place) {
        return;
    }
    std::memcpy(&place, placement.data(), sizeof place);
    place.length = sizeof place;
    place.showCmd = place.showCmd == SW_SHOWMAXIMIZED ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    SetWindowPlacement(window_.handle(), &place);
}

void Win32ViewerWindow::close() {
    window_.destroy();
}

// The shortcuts, then the dialog keys: Tab and Shift+Tab, the arrows among the span's buttons,
// Alt and a span's letter, Esc.
bool Win32ViewerWindow::translateKeys(MSG& message) {
    const HWND window = window_.handle();
    if (window == nullptr || (message.hwnd != window && IsChild(window, message.hwnd) == FALSE)) {
        return false;
    }
    return TranslateAcceleratorW(window, shortcuts_.get(), &message) != 0 ||
           IsDialogMessageW(window, &message) != FALSE;
}

// Esc comes as the dialog's Cancel.
void Win32ViewerWindow::onCommand(WORD command) {
    switch (command) {
    case IDCANCEL:
        presenter_.onCloseRequest();
        break;
    case exportCommand:
        presenter_.onExportChosen();
        break;
    case readAgainCommand:
        presenter_.onReadAgainChosen();
        break;
    default:
        break;
    }
}

// What a dialog does when its keys ask for another control: the one named, or the next or the
// previous tab stop. A span's button that the arrows reach is chosen, as in a dialog.
void Win32ViewerWindow::moveFocus(WPARAM wParam, LPARAM lParam) {
    const bool named = LOWORD(lParam) != 0;
    const HWND focus = GetFocus() == window_.handle() ? nullptr : GetFocus();
    const HWND next = named ? reinterpret_cast<HWND>(wParam)
                            : GetNextDlgTabItem(window_.handle(), focus, wParam != 0);
    if (next == nullptr) {
        return;
    }
    SetFocus(next);
    if (named && (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0 &&
        SendMessageW(next, BM_GETCHECK, 0, 0) != BST_CHECKED) {
        SendMessageW(next, BM_CLICK, 0, 0);
    }
}

// The mouse's menu comes at the pointer, the keyboard's over the middle of the focused control.
std::optional<ScreenPoint> Win32ViewerWindow::menuAnchorOf(LPARAM lParam) const {
    if (lParam != -1) {
        return std::nullopt;
    }
    RECT control{};
    GetWindowRect(GetFocus() != nullptr ? GetFocus() : window_.handle(), &control);
    return ScreenPoint{(control.left + control.right) / 2, (control.top + control.bottom) / 2};
}

std::optional<LRESULT> Win32ViewerWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == taskbarCreated_) {
        presenter_.onTaskbarCreated();
        return 0;
    }
    return onWindowMessage(message, wParam, lParam);
}

std::optional<LRESULT> Win32ViewerWindow::onWindowMessage(UINT message, WPARAM wParam,
                                                          LPARAM lParam) {
    if (const auto answer = chart_.onParentMessage(message, wParam, lParam)) {
        return answer;
    }
    switch (message) {
    case WM_SIZE:
        layOut();
        return 0;
    case WM_DPICHANGED: {
        const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
        useDensity();
        SetWindowPos(window_.handle(), nullptr, suggested.left, suggested.top,
                     suggested.right - suggested.left, suggested.bottom - suggested.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        layOut();
        return 0;
    }
    case WM_CLOSE:
        presenter_.onCloseRequest();
        return 0;
    case WM_SYSCOLORCHANGE: // which the common controls learn only from their parent
        SendMessageW(list_.handle(), message, wParam, lParam);
        SendMessageW(statusBar_, message, wParam, lParam);
        useColours();
        RedrawWindow(window_.handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        return 0;
    case WM_SETTINGCHANGE:
        useColours();
        return std::nullopt;
    case WM_TIMER:
        presenter_.onTimer();
        return 0;
    case trayMessage:
        presenter_.onTrayClick(trayClickOf(lParam), trayAnchorOf(wParam));
        return 0;
    case WM_COMMAND:
        onCommand(LOWORD(wParam));
        return 0;
    case WM_NEXTDLGCTL:
        moveFocus(wParam, lParam);
        return 0;
    case WM_CONTEXTMENU:
        presenter_.onMenuRequested(menuAnchorOf(lParam));
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE && IsChild(window_.handle(), GetFocus()) != FALSE) {
            lastFocus_ = GetFocus();
        }
        return std::nullopt;
    case WM_SETFOCUS:
        SetFocus(IsWindow(lastFocus_) != FALSE ? lastFocus_ : list_.handle());
        return 0;
    case serviceChangeMessage:
        presenter_.onServiceChanged();
        return 0;
    case wakeMessage:
        presenter_.onShowChosen();
        return 0;
    case WM_NOTIFY:
        return list_.onNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        if (wParam != FALSE) {
            presenter_.onSessionEnding();
        }
        return 0;
    case WM_DESTROY:
        listName_.reset();
        PostQuitMessage(0);
        return 0;
    default:
        return std::nullopt;
    }
}

} // namespace quillmarten
