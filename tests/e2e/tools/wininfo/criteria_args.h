#pragma once

#include "tool_main.h"
#include "window_search.h"

namespace e2e {

struct CriteriaArguments {
    WindowCriteria criteria;
    Arguments positional;
};

// Splits `--title TEXT`, `--title-prefix TEXT`, `--class NAME` and `--visible`, in any order,
// from the remaining positional arguments.
[[nodiscard]] CriteriaArguments parseCriteria(Arguments::const_iterator begin,
                                              Arguments::const_iterator end);

} // namespace e2e
