#pragma once

#include "report/report_writer.h"

#include <ostream>

namespace quillmarten {

// RFC 4180: a header line, lines ended by CR LF, and a field quoted when it holds a comma, a
// quote, CR or LF, its quotes doubled.
class CsvWriter final : public ReportWriter {
  public:
    CsvWriter(const std::vector<std::string>& columns, std::ostream& out);

    void machine(const std::string& name) override;
    void row(const ReportRow& cells) override;
    void machineTotal(const ReportRow&) override {}
    void finish() override {}

  private:
    void addField(const std::string& text);

    std::ostream& out_;
    std::string machineField_;
    std::string line_; // written whole, one write a row
};

} // namespace quillmarten
