#pragma once

#include "viewer/chart_focus.h"
#include "viewer/usage_chart.h"
#include "viewer/win32_accessible_chart.h"

#include "desktop/win32_window.h"

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>

namespace quillmarten {

// The chart of time in use as a child window, drawn with GDI into a bitmap first so that the
// once-a-second repaint does not flicker, in the system's colours so that high contrast works:
// bars on an hour axis with round ticks, weekends shaded, the period and time of the bar under
// the mouse (else of the focused one) above them. Translates painting, the mouse, the keys that
// move the focus along the bars, a screen reader's questions and the choice of days, weeks or
// months; what is charted is the caller's, which bar is focused the ChartFocus's.
// The choice's buttons are the parent's children, standing over the chart's heading, so that the
// parent's dialog keys reach them and the chart alike: Tab stops at the checked one, the arrows
// move among them.
class Win32UsageChart final : private WindowMessages, private AccessibleChartSource {
  public:
    // `chosen` learns which span the user picked.
    Win32UsageChart(HWND parent, std::function<void(const ChartSpan&)> chosen);

    HWND handle() const { return window_.handle(); }
    void place(const RECT& bounds);
    // The presenter calls it only when the chart changed.
    void show(const UsageChart& chart);
    // Weekends hatched in the grey text's colour rather than shaded in the buttons' face colour,
    // which a high-contrast theme gives the window's ground too.
    void hatchWeekends(bool hatched);
    // The parent's messages from the choice's buttons: their clicks and their colours.
    std::optional<LRESULT> onParentMessage(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    struct Layout {
        RECT heading;
        RECT plot;
        int slotWidth;
    };

    // Releases the accessible object once the chart has told it that it is gone.
    struct Disconnect {
        void operator()(Win32AccessibleChart* accessible) const;
    };

    std::optional<LRESULT> onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void useFont(HFONT font);
    void placeButtons();
    Layout layOut(HDC context, const RECT& client) const;
    void paint(HDC context, const RECT& client);
    void paintAxis(HDC context, const Layout& layout) const;
    void paintBars(HDC context, const Layout& layout) const;
    void paintFocus(HDC context) const;
    void onMouseMove(int x);
    void hover(std::optional<std::size_t> bar);
    void onKey(WPARAM key);
    void focusMoved();
    LRESULT answerObjectRequest(WPARAM wParam, LPARAM lParam);
    std::optional<std::size_t> barAtX(int x) const;
    RECT slotOf(std::size_t bar) const;

    const UsageChart& shownChart() const override { return chart_; }
    std::optional<std::size_t> focusedBar() const override { return focus_.bar(chart_); }
    bool hasKeyboardFocus() const override;
    RECT barBounds(std::size_t bar) const override;
    std::optional<std::size_t> barAt(POINT screen) const override;
    void focusBar(std::size_t bar, bool takeKeyboardFocus) override;

    std::function<void(const ChartSpan&)> chosen_;
    HWND parent_;
    // Made before the chart, so that they come before it when Tab moves on.
    std::array<HWND, 3> spanButtons_;
    Win32Window window_;
    HFONT font_ = nullptr; // the window's, not owned
    UsageChart chart_;
    ChartFocus focus_;
    Layout layout_{}; // as last painted, where the mouse finds the bars
    std::optional<std::size_t> hovered_;
    bool trackingMouse_ = false;
    bool weekendsHatched_ = false;
    std::unique_ptr<Win32AccessibleChart, Disconnect> accessible_;
};

} // namespace quillmarten
