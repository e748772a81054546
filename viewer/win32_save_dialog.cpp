#include "viewer/win32_save_dialog.h"

#include "platform/win32_text.h"

#include <commdlg.h>

namespace quillmarten {

namespace {

// The longest path Windows takes.
constexpr std::size_t pathCapacity = 32768;
constexpr wchar_t csvFilter[] = L"CSV files (*.csv)\0*.csv\0All files (*.*)\0*.*\0";

} // namespace

std::optional<std::string> Win32SaveDialog::askSavePath(const std::string& proposedName) {
    std::wstring path = widen(proposedName);
    path.resize(pathCapacity, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner_;
    dialog.lpstrFilter = csvFilter;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrTitle = L"Export the sessions";
    dialog.lpstrDefExt = L"csv";
    dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&dialog)) {
        return std::nullopt;
    }
    return narrow(path.c_str());
}

} // namespace quillmarten
