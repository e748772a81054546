#pragma once

#include "report/report_writer.h"

#include <cstdint>
#include <ostream>
#include <string_view>

namespace quillmarten {

// One array of objects, one a line, keyed by the columns: counts as numbers, the rest as
// strings. The output is UTF-8: a byte that does not belong to a UTF-8 character (a file name
// in another encoding) becomes U+FFFD.
class JsonWriter final : public ReportWriter {
  public:
    JsonWriter(const std::vector<std::string>& columns, std::ostream& out);

    void machine(const std::string& name) override;
    void row(const ReportRow& cells) override;
    void machineTotal(const ReportRow&) override {}
    void finish() override;

  private:
    void addString(std::string_view text);

    std::vector<std::string> keys_; // each column's name as a string, then ':'
    std::ostream& out_;
    std::string machinePair_;
    std::string line_; // written whole, one write a row
    std::int64_t rows_ = 0;
};

} // namespace quillmarten
