#include "desktop/win32_window.h"

#include <memory>
#include <type_traits>

namespace quillmarten {

namespace {

EventWriter* windowFailureReports = nullptr;

void registerClass(const wchar_t* className, HICON icon, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    if (GetClassInfoExW(windowClass.hInstance, className, &windowClass)) {
        return;
    }
    windowClass.lpszClassName = className;
    windowClass.lpfnWndProc = procedure;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.hIcon = icon;
    RegisterClassExW(&windowClass);
}

} // namespace

Win32Window::Win32Window(const wchar_t* className, const std::wstring& title,
                         const WindowStyle& style, WindowMessages& handler)
    : handler_(handler) {
    registerClass(className, style.icon, &procedure);
    CreateWindowExW(style.extendedStyle, className, title.c_str(), style.style, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, style.owner, nullptr,
                    GetModuleHandleW(nullptr), this);
    forwarding_ = true;
    if (style.icon != nullptr) {
        SendMessageW(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(style.icon));
        SendMessageW(handle_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(style.icon));
    }
}

Win32Window::~Win32Window() {
    destroy();
}

void Win32Window::destroy() {
    if (handle_ != nullptr) {
        DestroyWindow(handle_);
    }
}

LRESULT CALLBACK Win32Window::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* creating = reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creating));
        static_cast<Win32Window*>(creating)->handle_ = window;
    }
    auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        self->handle_ = nullptr;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    } else if (self->forwarding_) {
        if (const auto result = self->forward(message, wParam, lParam)) {
            return *result;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

std::optional<LRESULT> Win32Window::forward(UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return handler_.onMessage(message, wParam, lParam);
    } catch (...) {
        if (windowFailureReports != nullptr) {
            reportError(*windowFailureReports, currentError());
        }
        return 0;
    }
}

void reportWindowFailuresTo(EventWriter* events) {
    windowFailureReports = events;
}

namespace {

int screenDpi() {
    const auto release = [](HDC context) { ReleaseDC(nullptr, context); };
    const std::unique_ptr<std::remove_pointer_t<HDC>, decltype(release)> screen(GetDC(nullptr),
                                                                                release);
    return GetDeviceCaps(screen.get(), LOGPIXELSX);
}

// Looked up at run time, so that the programs still start on the Windows before it.
using DpiForWindow = UINT(WINAPI*)(HWND);
DpiForWindow dpiForWindow() {
    static const auto found = reinterpret_cast<DpiForWindow>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    return found;
}

} // namespace

int windowDpi(HWND window) {
    const DpiForWindow ask = dpiForWindow();
    return window != nullptr && ask != nullptr ? static_cast<int>(ask(window)) : screenDpi();
}

int scaledPixels(int pixelsAt96Dpi, HWND window) {
    return MulDiv(pixelsAt96Dpi, windowDpi(window), 96);
}

// The metrics Windows gives are at the screen's density.
MessageFont::MessageFont(HWND window) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    metrics.lfMessageFont.lfHeight =
        MulDiv(metrics.lfMessageFont.lfHeight, windowDpi(window), screenDpi());
    font_ = CreateFontIndirectW(&metrics.lfMessageFont);
}

MessageFont::~MessageFont() {
    DeleteObject(font_);
}

void setClientPixels(HWND window, int width, int height) {
    RECT bounds{0, 0, width, height};
    AdjustWindowRectEx(&bounds, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
    SetWindowPos(window, nullptr, 0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {

// A window's device context with the window's own font chosen, given back on every path.
class FontContext {
  public:
    explicit FontContext(HWND window)
        : window_(window), context_(GetDC(window)),
          previous_(SelectObject(context_,
                                 reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)))) {
    }
    ~FontContext() {
        SelectObject(context_, previous_);
        ReleaseDC(window_, context_);
    }
    FontContext(const FontContext&) = delete;
    FontContext& operator=(const FontContext&) = delete;
    HDC get() const { return context_; }

  private:
    HWND window_;
    HDC context_;
    HGDIOBJ previous_;
};

} // namespace

int textWidth(HWND control, std::wstring_view text) {
    const FontContext context(control);
    SIZE size{};
    GetTextExtentPoint32W(context.get(), text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
}

int lineHeight(HWND control) {
    const FontContext context(control);
    TEXTMETRICW metrics{};
    GetTextMetricsW(context.get(), &metrics);
    return metrics.tmHeight;
}

} // namespace quillmarten
