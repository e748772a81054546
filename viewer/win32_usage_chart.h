#pragma once

#include "viewer/usage_chart.h"

#include "desktop/win32_window.h"

#include <windows.h>

#include <array>
#include <functional>
#include <optional>

namespace quillmarten {

// The chart of time in use as a child window, drawn with GDI into a bitmap first so that the
// once-a-second repaint does not flicker, in the system's colours so that high contrast works:
// bars on an hour axis with round ticks, weekends shaded, the period and time of the bar under
// the mouse (else of the latest) above them. Translates painting, the mouse and the choice of
// days, weeks or months; what is charted is the caller's.
class Win32UsageChart final : private WindowMessages {
  public:
    // `chosen` learns which span the user picked.
    Win32UsageChart(HWND parent, std::function<void(const ChartSpan&)> chosen);

    HWND handle() const { return window_.handle(); }
    void place(const RECT& bounds);
    // The presenter calls it only when the chart changed.
    void show(const UsageChart& chart);

  private:
    struct Layout {
        RECT heading;
        RECT plot;
        int slotWidth;
    };

    std::optional<LRESULT> onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void useFont(HFONT font);
    Layout layOut(HDC context, const RECT& client) const;
    void paint(HDC context, const RECT& client);
    void paintAxis(HDC context, const Layout& layout) const;
    void paintBars(HDC context, const Layout& layout) const;
    void onMouseMove(int x);
    void hover(std::optional<std::size_t> bar);

    std::function<void(const ChartSpan&)> chosen_;
    Win32Window window_;
    std::array<HWND, 3> spanButtons_{};
    HFONT font_ = nullptr; // the window's, not owned
    UsageChart chart_;
    Layout layout_{}; // as last painted, where the mouse finds the bars
    std::optional<std::size_t> hovered_;
    bool trackingMouse_ = false;
};

} // namespace quillmarten
