#pragma once

#include "report_writer.h"

#include <cstdint>
#include <string_view>

namespace quillmarten {

// One array of objects, one a line, keyed by the columns: counts as numbers, the rest as
// strings. The output is UTF-8: a byte that does not belong to a UTF-8 character (a file name
// in another encoding) becomes U+FFFD.
class JsonWriter final : public ReportWriter {
  public:
    JsonWriter(std::vector<std::string> columns, std::ostream& out)
        : columns_(std::move(columns)), out_(out) {}

    void row(const ReportRow& row) override;
    void machineTotal(const ReportRow&) override {}
    void finish() override;

  private:
    void string(std::string_view text);

    std::vector<std::string> columns_;
    std::ostream& out_;
    std::int64_t rows_ = 0;
};

} // namespace quillmarten
