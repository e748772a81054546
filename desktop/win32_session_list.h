#pragma once

#include "metering/session_rows.h"
#include "metering/tracker_ports.h"

#include <windows.h>

#include <commctrl.h>

#include <array>
#include <optional>

namespace quillmarten {

// The session list as a virtual report-view list control: the control asks for the texts of
// the rows it draws, and they are made from the rows only then, so that a log of
// 100,000 sessions costs neither start-up nor the tick.
class Win32SessionList final : public SessionListView {
  public:
    Win32SessionList(HWND parent, const SessionRows& rows, int width, int height);

    HWND handle() const { return list_; }

    void showRows(std::size_t count) override;
    void refreshRow(std::size_t row) override;
    void selectAndReveal(std::size_t row) override;

    // Moves and sizes the list within its parent, in pixels.
    void place(const RECT& bounds);
    // Makes each column as wide as given, or as its header or its widest text needs in the list's
    // font and at its density, whichever is more.
    void fitColumns();
    int columnsWidth() const;
    // Shares what `width` leaves beyond the fitted columns among them.
    void spreadColumns(int width);
    // Says of each damaged record that it is, in a fourth column, and draws its row in `colour`;
    // called again, changes the colour.
    void markDamagedRows(COLORREF colour);

    // Answers the control's requests for a cell's text and, when damaged rows are marked, its
    // colour; the result for the parent's window procedure when the notice was the list's.
    std::optional<LRESULT> onNotify(const NMHDR& notice);

  private:
    void addColumn(int index, const wchar_t* header, int width);
    std::size_t columnCount() const { return damagedColour_ ? 4 : 3; }
    void answerTextRequest(LVITEMW& item) const;
    LRESULT answerDrawRequest(NMLVCUSTOMDRAW& draw) const;

    const SessionRows& rows_;
    HWND list_;
    std::optional<COLORREF> damagedColour_; // nullopt: damaged rows are not marked
    std::array<int, 4> fittedWidths_{};
};

} // namespace quillmarten
