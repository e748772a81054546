#pragma once

#include "basics/error_report.h"

#include <string>
#include <string_view>

namespace quillmarten {

// The program keeps its texts in UTF-8; Windows takes UTF-16.
std::wstring widen(std::string_view text);
std::string narrow(std::wstring_view text);

// Texts in the system's ANSI code page, as the log file's characters and the shell's tray
// record hold them.
std::wstring widenAnsi(std::string_view text);
std::string narrowAnsi(std::wstring_view text);

// The system's own description of an error code, without the trailing line break.
std::string systemErrorText(unsigned long code);

// A system error code as the program raises it: the code and its description.
RaisedError systemError(unsigned long code);

} // namespace quillmarten
