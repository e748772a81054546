#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace e2e {

using Arguments = std::vector<std::wstring>;

// Runs a helper's command on its arguments (without the program name) and turns the outcome into
// the exit code: 0 on success, 1 with "NAME: message" on stderr for a Failure, 2 with the usage
// text for a UsageError.
int runTool(std::wstring_view name, std::wstring_view usage, int argc, wchar_t** argv,
            const std::function<void(const Arguments&)>& command);

} // namespace e2e
