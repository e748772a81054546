#pragma once

#include <string_view>

namespace quillmarten {

// A command line split as Windows splits off its first word: a quoted word ends at its closing
// quote, an unquoted one at the first blank. The blanks after it are skipped; the rest stays as
// it is.
struct CommandLineParts {
    std::string_view first; // without its quotes
    std::string_view rest;
};

CommandLineParts splitCommandLine(std::string_view commandLine);

} // namespace quillmarten
