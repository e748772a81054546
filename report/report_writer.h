#pragma once

#include "report_options.h"

#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace quillmarten {

struct Cell {
    std::string text;
    bool number = false; // a count, written as a number where the format has numbers
};

using ReportRow = std::vector<Cell>;

// The columns' names as a row of text.
ReportRow headerRow(const std::vector<std::string>& columns);

// Writes the rows of a report in one format, in the order given.
class ReportWriter {
  public:
    virtual ~ReportWriter() = default;
    virtual void row(const ReportRow& row) = 0;
    // The totals of one machine, after its rows; only a table for people shows them.
    virtual void machineTotal(const ReportRow& total) = 0;
    // Ends the report; nothing is written after.
    virtual void finish() = 0;
};

// A writer of `format` whose rows have the cells of `columns`, writing to `out`.
std::unique_ptr<ReportWriter> makeReportWriter(OutputFormat format,
                                               std::vector<std::string> columns, std::ostream& out);

} // namespace quillmarten
