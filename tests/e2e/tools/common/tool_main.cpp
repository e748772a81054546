#include "tool_main.h"

#include "console.h"
#include "failure.h"

#include <exception>

namespace e2e {

namespace {

constexpr int exitFailure = 1;
constexpr int exitUsage = 2;

} // namespace

int runTool(std::wstring_view name, std::wstring_view usage, int argc, wchar_t** argv,
            const std::function<void(const Arguments&)>& command) {
    const std::wstring prefix = std::wstring(name) + L": ";
    try {
        command(Arguments(argv + 1, argv + argc));
        return 0;
    } catch (const UsageError& error) {
        printErrorLine(prefix + error.message());
        printErrorLine(usage);
        return exitUsage;
    } catch (const Failure& error) {
        printErrorLine(prefix + error.message());
        return exitFailure;
    } catch (const std::exception& error) {
        const std::string_view what = error.what();
        printErrorLine(prefix + L"unexpected error: " + std::wstring(what.begin(), what.end()));
        return exitFailure;
    }
}

} // namespace e2e
