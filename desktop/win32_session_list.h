#pragma once

#include "metering/session_history.h"
#include "metering/tracker_ports.h"

#include <windows.h>

namespace quillmarten {

// The session list as a virtual report-view list control: the control asks for the texts of
// the rows it draws, and they are made from the history only then, so that a history of
// 100,000 sessions costs neither start-up nor the tick.
class Win32SessionList final : public SessionListView {
  public:
    Win32SessionList(HWND parent, const SessionHistory& history, int width, int height);

    HWND handle() const { return list_; }

    void showRows(std::size_t count) override;
    void refreshRow(std::size_t row) override;
    void selectAndReveal(std::size_t row) override;

    // Answers the control's request for a cell's text; true when the notice was the list's.
    bool onNotify(const NMHDR& notice);

  private:
    void addColumn(int index, const wchar_t* header, int width);

    const SessionHistory& history_;
    HWND list_;
};

} // namespace quillmarten
