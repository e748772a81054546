#pragma once

#include <string>

namespace quillmarten {

// The running program's own path, through GetModuleFileNameW, however long it is.
std::wstring executablePath();

} // namespace quillmarten
