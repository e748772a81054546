#include "report/table_writer.h"

#include <algorithm>

namespace quillmarten {

namespace {

// Characters, not bytes, so that a machine named in UTF-8 lines up.
std::size_t widthOf(const std::string& text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

} // namespace

TableMeasure::TableMeasure(const std::vector<std::string>& columns)
    : layout_{std::vector<std::size_t>(columns.size(), 0), std::vector<bool>(columns.size())} {
    const ReportRow header = headerRow(columns);
    for (std::size_t column = 0; column < header.size(); ++column) {
        measure(column, header[column]);
    }
}

void TableMeasure::row(const ReportRow& cells) {
    measure(0, machine_);
    for (std::size_t column = 0; column < cells.size(); ++column) {
        measure(column + 1, cells[column]);
    }
}

void TableMeasure::measure(std::size_t column, const Cell& cell) {
    layout_.widths[column] = std::max(layout_.widths[column], widthOf(cell.text));
    layout_.counts[column] = layout_.counts[column] || cell.number;
}

TableWriter::TableWriter(TableLayout layout, const std::vector<std::string>& columns,
                         std::ostream& out)
    : layout_(std::move(layout)), out_(out) {
    const ReportRow header = headerRow(columns);
    for (std::size_t column = 0; column < header.size(); ++column) {
        addCell(column, header[column]);
    }
    writeLine();
}

void TableWriter::row(const ReportRow& cells) {
    addCell(0, machine_);
    for (std::size_t column = 0; column < cells.size(); ++column) {
        addCell(column + 1, cells[column]);
    }
    writeLine();
}

void TableWriter::addCell(std::size_t column, const Cell& cell) {
    const std::string padding(layout_.widths[column] - widthOf(cell.text), ' ');
    line_ += column > 0 ? "  " : "";
    line_ += layout_.counts[column] ? padding + cell.text : cell.text + padding;
}

void TableWriter::writeLine() {
    line_.erase(line_.find_last_not_of(' ') + 1);
    line_ += '\n';
    out_ << line_;
    line_.clear();
}

} // namespace quillmarten
