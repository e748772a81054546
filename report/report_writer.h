#pragma once

#include <functional>
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

// Takes the rows of a report in one format, in the order given. The first column names the
// machine: the rows after machine(name) are that machine's and carry the other columns, so
// that a long run of rows does not format the same name again and again.
class ReportWriter {
  public:
    virtual ~ReportWriter() = default;
    virtual void machine(const std::string& name) = 0;
    virtual void row(const ReportRow& cells) = 0;
    // The machine's totals, after its rows; only a table for people shows them.
    virtual void machineTotal(const ReportRow& cells) = 0;
    // Ends the report; nothing is written after.
    virtual void finish() = 0;
};

// Hands every row of a report to the writer, machine after machine; gives the same rows each
// time it is called.
using ReportRows = std::function<void(ReportWriter& writer)>;

} // namespace quillmarten
