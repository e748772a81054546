#pragma once

#include "report/report_writer.h"

#include <cstddef>
#include <ostream>

namespace quillmarten {

// How a table lays its columns out: each as wide as its widest cell, the header's included,
// and a column that holds any count aligned to the right.
struct TableLayout {
    std::vector<std::size_t> widths;
    std::vector<bool> counts;
};

// Takes every row of a table to measure its columns, keeping none of them.
class TableMeasure final : public ReportWriter {
  public:
    explicit TableMeasure(const std::vector<std::string>& columns);

    void machine(const std::string& name) override { machine_ = Cell{name}; }
    void row(const ReportRow& cells) override;
    void machineTotal(const ReportRow& cells) override { row(cells); }
    void finish() override {}

    const TableLayout& layout() const { return layout_; }

  private:
    void measure(std::size_t column, const Cell& cell);

    TableLayout layout_;
    Cell machine_;
};

// Columns for people, aligned as measured: counts to the right, the rest to the left, two
// spaces apart. Each row is written as it comes.
class TableWriter final : public ReportWriter {
  public:
    TableWriter(TableLayout layout, const std::vector<std::string>& columns, std::ostream& out);

    void machine(const std::string& name) override { machine_ = Cell{name}; }
    void row(const ReportRow& cells) override;
    void machineTotal(const ReportRow& cells) override { row(cells); }
    void finish() override {}

  private:
    void addCell(std::size_t column, const Cell& cell);
    void writeLine();

    TableLayout layout_;
    std::ostream& out_;
    Cell machine_;
    std::string line_; // written whole, one write a row
};

} // namespace quillmarten
