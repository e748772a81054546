#include "viewer/win32_usage_chart.h"

#include "platform/win32_text.h"

#include <algorithm>
#include <memory>
#include <type_traits>
#include <utility>

namespace quillmarten {

namespace {

constexpr std::array<const ChartSpan*, 3> spans{&lastFiveWeeksByDay, &lastHalfYearByWeek,
                                                &lastYearByMonth};
constexpr std::array<const wchar_t*, 3> spanNames{L"&Days", L"&Weeks", L"&Months"};
// Away from the IDOK and IDCANCEL that Enter and Esc send the parent.
constexpr UINT_PTR firstSpanId = 101;
// Pixels at 96 dpi.
constexpr int margin = 6;
constexpr int radioMark = 24;
constexpr int focusLine = 2;

// An object chosen into a device context until the end of the scope.
class Chosen {
  public:
    Chosen(HDC context, HGDIOBJ object)
        : context_(context), previous_(SelectObject(context, object)) {}
    ~Chosen() { SelectObject(context_, previous_); }
    Chosen(const Chosen&) = delete;
    Chosen& operator=(const Chosen&) = delete;

  private:
    HDC context_;
    HGDIOBJ previous_;
};

struct DeleteBrush {
    void operator()(HBRUSH brush) const { DeleteObject(brush); }
};
using OwnedBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, DeleteBrush>;

// Paints into a bitmap of the client area's size, which is copied to the window at once.
class BufferedPaint {
  public:
    explicit BufferedPaint(HWND window) : window_(window), target_(BeginPaint(window, &paint_)) {
        GetClientRect(window, &client_);
        memory_ = CreateCompatibleDC(target_);
        bitmap_ = CreateCompatibleBitmap(target_, std::max<LONG>(1, client_.right),
                                         std::max<LONG>(1, client_.bottom));
        previous_ = SelectObject(memory_, bitmap_);
    }
    ~BufferedPaint() {
        BitBlt(target_, 0, 0, client_.right, client_.bottom, memory_, 0, 0, SRCCOPY);
        SelectObject(memory_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(memory_);
        EndPaint(window_, &paint_);
    }
    BufferedPaint(const BufferedPaint&) = delete;
    BufferedPaint& operator=(const BufferedPaint&) = delete;

    HDC context() const { return memory_; }
    const RECT& client() const { return client_; }

  private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC target_;
    RECT client_{};
    HDC memory_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

int textWidthIn(HDC context, const std::wstring& text) {
    SIZE size{};
    GetTextExtentPoint32W(context, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

void drawText(HDC context, const std::wstring& text, RECT place, UINT format) {
    DrawTextW(context, text.c_str(), static_cast<int>(text.size()), &place,
              format | DT_SINGLELINE | DT_NOPREFIX);
}

// One group of radio buttons: Tab stops at the checked one, which a check marks as a tab stop.
std::array<HWND, 3> makeSpanButtons(HWND parent) {
    std::array<HWND, 3> buttons{};
    for (std::size_t index = 0; index < buttons.size(); ++index) {
        const DWORD group = index == 0 ? WS_GROUP : 0;
        buttons[index] = CreateWindowExW(0, L"BUTTON", spanNames[index],
                                         WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | group, 0, 0,
                                         0, 0, parent, reinterpret_cast<HMENU>(firstSpanId + index),
                                         GetModuleHandleW(nullptr), nullptr);
    }
    SendMessageW(buttons[0], BM_SETCHECK, BST_CHECKED, 0);
    return buttons;
}

} // namespace

void Win32UsageChart::Disconnect::operator()(Win32AccessibleChart* accessible) const {
    accessible->disconnect();
    accessible->Release();
}

// The chart starts a group of its own, which ends the buttons' group.
Win32UsageChart::Win32UsageChart(HWND parent, std::function<void(const ChartSpan&)> chosen)
    : chosen_(std::move(chosen)), parent_(parent), spanButtons_(makeSpanButtons(parent)),
      window_(L"QuillmartenChart", L"",
              WindowStyle{WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | WS_CLIPSIBLINGS, 0,
                          nullptr, parent},
              *this) {
    useFont(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
}

void Win32UsageChart::useFont(HFONT font) {
    font_ = font;
    for (const HWND button : spanButtons_) {
        SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    }
    placeButtons();
    InvalidateRect(window_.handle(), nullptr, TRUE);
}

// The buttons stand in a row over the chart's heading, each as wide as its text and its round
// mark.
void Win32UsageChart::placeButtons() {
    RECT chart{};
    GetWindowRect(window_.handle(), &chart);
    MapWindowPoints(nullptr, parent_, reinterpret_cast<POINT*>(&chart), 2);
    int left = chart.left + scaledPixels(margin, window_.handle());
    for (std::size_t index = 0; index < spanButtons_.size(); ++index) {
        const int width = textWidth(spanButtons_[index], spanNames[index]) +
                          scaledPixels(radioMark, window_.handle());
        SetWindowPos(spanButtons_[index], nullptr, left,
                     chart.top + scaledPixels(margin / 2, window_.handle()), width,
                     lineHeight(spanButtons_[index]) + scaledPixels(margin, window_.handle()),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        left += width + scaledPixels(margin, window_.handle());
    }
}

void Win32UsageChart::place(const RECT& bounds) {
    MoveWindow(window_.handle(), bounds.left, bounds.top, bounds.right - bounds.left,
               bounds.bottom - bounds.top, TRUE);
    placeButtons();
}

// Another span renames the chart; a focus that moved with the bars is told.
void Win32UsageChart::show(const UsageChart& chart) {
    const std::optional<std::size_t> focused = focusedBar();
    const bool renamed = chart.span.kind != chart_.span.kind;
    chart_ = chart;
    if (hovered_ && *hovered_ >= chart_.bars.size()) {
        hovered_.reset();
    }
    for (std::size_t index = 0; index < spans.size(); ++index) {
        const bool shown = spans[index]->kind == chart_.span.kind;
        SendMessageW(spanButtons_[index], BM_SETCHECK, shown ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    if (renamed) {
        NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window_.handle(), OBJID_CLIENT, CHILDID_SELF);
    }
    if (focusedBar() != focused) {
        focusMoved();
    }
    InvalidateRect(window_.handle(), nullptr, FALSE);
}

void Win32UsageChart::hatchWeekends(bool hatched) {
    weekendsHatched_ = hatched;
    InvalidateRect(window_.handle(), nullptr, FALSE);
}

std::optional<LRESULT> Win32UsageChart::onParentMessage(UINT message, WPARAM wParam,
                                                        LPARAM lParam) {
    const auto button = std::ranges::find(spanButtons_, reinterpret_cast<HWND>(lParam));
    if (button == spanButtons_.end()) {
        return std::nullopt;
    }
    if (message == WM_COMMAND) {
        if (HIWORD(wParam) == BN_CLICKED) {
            chosen_(*spans[static_cast<std::size_t>(button - spanButtons_.begin())]);
        }
        return 0;
    }
    if (message == WM_CTLCOLORSTATIC) { // on the chart's own ground
        SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    return std::nullopt;
}

// The heading holds the span's choice and the bar's text; below it the bars stand in equal
// slots between the axis's labels and the right margin, over a line of their own labels.
Win32UsageChart::Layout Win32UsageChart::layOut(HDC context, const RECT& client) const {
    TEXTMETRICW metrics{};
    GetTextMetricsW(context, &metrics);
    const int line = metrics.tmHeight;
    const int space = scaledPixels(margin, window_.handle());
    int labels = 0;
    for (int tick = 0; tick <= chart_.axis.ticks; ++tick) {
        labels = std::max(labels, textWidthIn(context, widen(tickText(tick * chart_.axis.tick))));
    }
    const RECT heading{0, 0, client.right, line + 2 * space};
    RECT plot{2 * space + labels, heading.bottom + line / 2, client.right - space,
              client.bottom - line - space};
    const auto bars = static_cast<LONG>(std::max<std::size_t>(1, chart_.bars.size()));
    const int slotWidth = std::max<int>(1, (plot.right - plot.left) / bars);
    plot.right = plot.left + slotWidth * bars;
    plot.bottom = std::max(plot.bottom, plot.top + 1);
    return Layout{heading, plot, slotWidth};
}

void Win32UsageChart::paint(HDC context, const RECT& client) {
    FillRect(context, &client, GetSysColorBrush(COLOR_WINDOW));
    const Chosen font(context, font_);
    SetBkMode(context, TRANSPARENT);
    SetTextColor(context, GetSysColor(COLOR_WINDOWTEXT));
    layout_ = layOut(context, client);
    const Layout& layout = layout_;
    paintBars(context, layout);
    paintAxis(context, layout);
    if (hasKeyboardFocus()) {
        paintFocus(context);
    }
    if (const auto shown = hovered_ ? hovered_ : focusedBar()) {
        const ChartBar& bar = chart_.bars[*shown];
        RECT heading = layout.heading;
        heading.right -= scaledPixels(margin, window_.handle());
        drawText(context, widen(barText(bar)), heading, DT_RIGHT | DT_VCENTER);
    }
}

// The grid lines come over the weekends' shading and under nothing else.
void Win32UsageChart::paintAxis(HDC context, const Layout& layout) const {
    const Chosen pen(context, GetStockObject(DC_PEN));
    const int height = layout.plot.bottom - layout.plot.top;
    const int line = layout.heading.bottom / 2;
    for (int tick = 0; tick <= chart_.axis.ticks; ++tick) {
        const int y = layout.plot.bottom - MulDiv(tick, height, std::max(1, chart_.axis.ticks));
        SetDCPenColor(context, GetSysColor(tick == 0 ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
        MoveToEx(context, layout.plot.left, y, nullptr);
        LineTo(context, layout.plot.right, y);
        drawText(
            context, widen(tickText(tick * chart_.axis.tick)),
            RECT{0, y - line, layout.plot.left - scaledPixels(margin, window_.handle()), y + line},
            DT_RIGHT | DT_VCENTER);
    }
}

// A bar's height is its share of the axis's top, to the nearest pixel. Every bar's label that
// fits is drawn, the latest's always.
void Win32UsageChart::paintBars(HDC context, const Layout& layout) const {
    const std::int64_t height = layout.plot.bottom - layout.plot.top;
    const std::int64_t top = std::max<std::int64_t>(1, chart_.axis.top());
    int widestLabel = 0;
    for (const ChartBar& bar : chart_.bars) {
        widestLabel = std::max(widestLabel, textWidthIn(context, widen(bar.label)));
    }
    const std::size_t every = static_cast<std::size_t>(
        (widestLabel + scaledPixels(margin, window_.handle()) + layout.slotWidth - 1) /
        layout.slotWidth);
    const int gap = std::max(1, layout.slotWidth / 6);
    const OwnedBrush hatch(
        weekendsHatched_ ? CreateHatchBrush(HS_BDIAGONAL, GetSysColor(COLOR_GRAYTEXT)) : nullptr);
    const HBRUSH weekend = hatch ? hatch.get() : GetSysColorBrush(COLOR_3DFACE);
    // The estimated part of a bar, over its measured part, is hatched in the bar's own colour, so
    // that it shows without telling colours apart.
    const OwnedBrush estimatedHatch(CreateHatchBrush(HS_BDIAGONAL, GetSysColor(COLOR_HIGHLIGHT)));
    for (std::size_t index = 0; index < chart_.bars.size(); ++index) {
        const ChartBar& bar = chart_.bars[index];
        const int left = layout.plot.left + static_cast<int>(index) * layout.slotWidth;
        if (bar.weekend) {
            const RECT slot{left, layout.plot.top, left + layout.slotWidth, layout.plot.bottom};
            FillRect(context, &slot, weekend);
        }
        const auto pixels = [&](std::int64_t seconds) {
            return static_cast<int>(std::min(height, (seconds * height + top / 2) / top));
        };
        const int measuredTop = layout.plot.bottom - pixels(bar.seconds - bar.estimatedSeconds);
        const RECT measured{left + gap, measuredTop, left + layout.slotWidth - gap,
                            layout.plot.bottom};
        FillRect(context, &measured, GetSysColorBrush(COLOR_HIGHLIGHT));
        const RECT estimated{left + gap, layout.plot.bottom - pixels(bar.seconds),
                             left + layout.slotWidth - gap, measuredTop};
        if (estimated.bottom > estimated.top) {
            FillRect(context, &estimated, estimatedHatch.get());
            FrameRect(context, &estimated, GetSysColorBrush(COLOR_HIGHLIGHT));
        }
        if ((chart_.bars.size() - 1 - index) % std::max<std::size_t>(1, every) == 0) {
            drawText(context, widen(bar.label),
                     RECT{left - layout.slotWidth, layout.plot.bottom + 1,
                          left + 2 * layout.slotWidth, layout.heading.bottom + layout.plot.bottom},
                     DT_CENTER | DT_TOP);
        }
    }
}

void Win32UsageChart::onMouseMove(int x) {
    if (!trackingMouse_) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window_.handle(), 0};
        trackingMouse_ = TrackMouseEvent(&track) != FALSE;
    }
    hover(barAtX(x));
}

std::optional<std::size_t> Win32UsageChart::barAtX(int x) const {
    if (layout_.slotWidth == 0 || x < layout_.plot.left) {
        return std::nullopt; // nothing painted yet, or left of the bars
    }
    const auto slot = static_cast<std::size_t>((x - layout_.plot.left) / layout_.slotWidth);
    return slot < chart_.bars.size() ? std::optional(slot) : std::nullopt;
}

// A frame of the window text's colour around the focused bar's slot.
void Win32UsageChart::paintFocus(HDC context) const {
    const auto bar = focusedBar();
    if (!bar) {
        return;
    }
    RECT frame = slotOf(*bar);
    for (int line = 0; line < scaledPixels(focusLine, window_.handle()); ++line) {
        FrameRect(context, &frame, GetSysColorBrush(COLOR_WINDOWTEXT));
        InflateRect(&frame, -1, -1);
    }
}

void Win32UsageChart::hover(std::optional<std::size_t> bar) {
    if (bar != hovered_) {
        hovered_ = bar;
        InvalidateRect(window_.handle(), nullptr, FALSE);
    }
}

void Win32UsageChart::onKey(WPARAM key) {
    std::optional<ChartKey> move;
    switch (key) {
    case VK_LEFT:
    case VK_UP:
        move = ChartKey::earlier;
        break;
    case VK_RIGHT:
    case VK_DOWN:
        move = ChartKey::later;
        break;
    case VK_HOME:
        move = ChartKey::earliest;
        break;
    case VK_END:
        move = ChartKey::latest;
        break;
    default:
        return;
    }
    // The heading follows the keys rather than a mouse that happens to rest over the chart.
    if (focus_.press(*move, chart_)) {
        hovered_.reset();
        focusMoved();
        InvalidateRect(window_.handle(), nullptr, FALSE);
    }
}

// A screen reader follows the focused bar while the chart has the keyboard.
void Win32UsageChart::focusMoved() {
    const auto bar = focusedBar();
    if (hasKeyboardFocus()) {
        NotifyWinEvent(EVENT_OBJECT_FOCUS, window_.handle(), OBJID_CLIENT,
                       bar ? static_cast<LONG>(*bar) + 1 : CHILDID_SELF);
    }
}

// The chart's own object answers for its client area; the system answers the rest.
LRESULT Win32UsageChart::answerObjectRequest(WPARAM wParam, LPARAM lParam) {
    if (static_cast<DWORD>(lParam) != static_cast<DWORD>(OBJID_CLIENT)) {
        return DefWindowProcW(window_.handle(), WM_GETOBJECT, wParam, lParam);
    }
    if (!accessible_) {
        accessible_.reset(Win32AccessibleChart::create(window_.handle(), *this));
    }
    return accessible_ ? LresultFromObject(IID_IAccessible, wParam, accessible_.get()) : 0;
}

RECT Win32UsageChart::slotOf(std::size_t bar) const {
    const int left = layout_.plot.left + static_cast<int>(bar) * layout_.slotWidth;
    return RECT{left, layout_.plot.top, left + layout_.slotWidth, layout_.plot.bottom};
}

bool Win32UsageChart::hasKeyboardFocus() const {
    return GetFocus() == window_.handle();
}

RECT Win32UsageChart::barBounds(std::size_t bar) const {
    RECT bounds = slotOf(bar);
    MapWindowPoints(window_.handle(), nullptr, reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
}

std::optional<std::size_t> Win32UsageChart::barAt(POINT screen) const {
    ScreenToClient(window_.handle(), &screen);
    return barAtX(screen.x);
}

void Win32UsageChart::focusBar(std::size_t bar, bool takeKeyboardFocus) {
    if (takeKeyboardFocus) {
        SetFocus(window_.handle());
    }
    if (focus_.focus(bar, chart_)) {
        focusMoved();
        InvalidateRect(window_.handle(), nullptr, FALSE);
    }
}

std::optional<LRESULT> Win32UsageChart::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        const BufferedPaint painting(window_.handle());
        paint(painting.context(), painting.client());
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFONT:
        useFont(reinterpret_cast<HFONT>(wParam));
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font_);
    case WM_SIZE:
        InvalidateRect(window_.handle(), nullptr, FALSE);
        return 0;
    case WM_MOUSEMOVE:
        onMouseMove(static_cast<short>(LOWORD(lParam)));
        return 0;
    case WM_MOUSELEAVE:
        trackingMouse_ = false;
        hover(std::nullopt);
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(window_.handle());
        if (const auto bar = barAtX(static_cast<short>(LOWORD(lParam)))) {
            focusBar(*bar, false);
        }
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_KEYDOWN:
        onKey(wParam);
        return 0;
    case WM_SETFOCUS:
        focusMoved();
        InvalidateRect(window_.handle(), nullptr, FALSE);
        return 0;
    case WM_KILLFOCUS:
        InvalidateRect(window_.handle(), nullptr, FALSE);
        return 0;
    case WM_GETOBJECT:
        return answerObjectRequest(wParam, lParam);
    default:
        return std::nullopt;
    }
}

} // namespace quillmarten
