#pragma once

#include <string>

namespace e2e {

// Prints binary_path=, start_type=, service_type=, account=, display_name= and description=
// lines, one per setting, for the bash side to pick with sed.
void printServiceConfig(const std::wstring& serviceName);

} // namespace e2e
