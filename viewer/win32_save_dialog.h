#pragma once

#include "viewer/viewer_ports.h"

#include <windows.h>

namespace quillmarten {

// The standard Save As dialog through GetSaveFileNameW, for CSV files, owned by a window.
class Win32SaveDialog final : public SaveDialog {
  public:
    explicit Win32SaveDialog(HWND owner) : owner_(owner) {}

    std::optional<std::string> askSavePath(const std::string& proposedName) override;

  private:
    HWND owner_;
};

} // namespace quillmarten
