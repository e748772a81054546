#pragma once

#include "report_writer.h"

namespace quillmarten {

// Columns for people, aligned: counts to the right, the rest to the left, two spaces apart.
// Aligning needs the widest cell of each column, so the rows are kept until the report ends; a
// report by period has few rows, and one by session as many as there are sessions.
class TableWriter final : public ReportWriter {
  public:
    TableWriter(const std::vector<std::string>& columns, std::ostream& out)
        : lines_{headerRow(columns)}, out_(out) {}

    void machine(const std::string& name) override { machine_ = name; }
    void row(const ReportRow& cells) override;
    void machineTotal(const ReportRow& cells) override { row(cells); }
    void finish() override;

  private:
    std::vector<ReportRow> lines_;
    std::ostream& out_;
    std::string machine_;
};

} // namespace quillmarten
