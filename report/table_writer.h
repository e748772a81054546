#pragma once

#include "report_writer.h"

namespace quillmarten {

// Columns for people, aligned: counts to the right, the rest to the left, two spaces apart.
// Aligning needs the widest cell of each column, so the rows are kept until the report ends; a
// report by period has few rows, and one by session as many as there are sessions.
class TableWriter final : public ReportWriter {
  public:
    TableWriter(const std::vector<std::string>& columns, std::ostream& out);

    void row(const ReportRow& row) override { lines_.push_back(row); }
    void machineTotal(const ReportRow& total) override { lines_.push_back(total); }
    void finish() override;

  private:
    std::vector<ReportRow> lines_;
    std::ostream& out_;
};

} // namespace quillmarten
