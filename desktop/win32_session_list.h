#pragma once

#include "metering/tracker_ports.h"

#include <windows.h>

#include <array>
#include <string>
#include <vector>

namespace quillmarten {

// The session list as a virtual report-view list: the rows live here and the control asks for
// the few it shows, so a history of 100,000 sessions costs neither start-up nor the tick. The
// control learns the number of rows once per batch of additions, not once per row.
class Win32SessionList final : public SessionList {
  public:
    // Posted to the parent after rows were added; the parent passes it on to syncRowCount().
    static constexpr UINT rowsAddedMessage = WM_APP + 3;

    Win32SessionList(HWND parent, int width, int height);

    void clear() override;
    std::int32_t addRow(const std::string& text) override;
    std::int32_t rowCount() const override;
    void setSubItem(std::int32_t row, int column, const std::string& text) override;
    void selectRow(std::int32_t row) override;
    void scrollIntoView(std::int32_t row) override;

    // Answers the control's request for a cell's text; true when the notice was the list's.
    bool onNotify(const NMHDR& notice);
    void syncRowCount();

  private:
    void addColumn(int index, const wchar_t* header, int width);

    HWND parent_;
    HWND list_;
    std::vector<std::array<std::string, 3>> rows_;
    std::size_t rowsShown_ = 0;
};

} // namespace quillmarten
