#include "criteria_args.h"

#include "failure.h"

namespace e2e {

namespace {

std::optional<std::wstring>* valueOption(WindowCriteria& criteria, const std::wstring& option) {
    if (option == L"--title") {
        return &criteria.title;
    }
    if (option == L"--title-prefix") {
        return &criteria.titlePrefix;
    }
    if (option == L"--class") {
        return &criteria.className;
    }
    return nullptr;
}

} // namespace

CriteriaArguments parseCriteria(Arguments::const_iterator begin, Arguments::const_iterator end) {
    CriteriaArguments parsed;
    for (auto it = begin; it != end; ++it) {
        if (*it == L"--visible") {
            parsed.criteria.visibleOnly = true;
        } else if (auto* value = valueOption(parsed.criteria, *it)) {
            if (std::next(it) == end) {
                throw UsageError(*it + L" needs a value");
            }
            *value = *++it;
        } else if (it->starts_with(L"--")) {
            throw UsageError(L"unknown option " + *it);
        } else {
            parsed.positional.push_back(*it);
        }
    }
    return parsed;
}

} // namespace e2e
