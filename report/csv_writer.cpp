#include "report/csv_writer.h"

#include <algorithm>

namespace quillmarten {

namespace {

bool needsQuotes(const std::string& text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return c == ',' || c == '"' || c == '\r' || c == '\n'; });
}

} // namespace

CsvWriter::CsvWriter(const std::vector<std::string>& columns, std::ostream& out) : out_(out) {
    for (const std::string& column : columns) {
        line_ += line_.empty() ? "" : ",";
        addField(column);
    }
    out_ << line_ << "\r\n";
}

void CsvWriter::machine(const std::string& name) {
    line_.clear();
    addField(name);
    machineField_ = line_;
}

void CsvWriter::row(const ReportRow& cells) {
    line_ = machineField_;
    for (const Cell& cell : cells) {
        line_ += ',';
        addField(cell.text);
    }
    line_ += "\r\n";
    out_ << line_;
}

void CsvWriter::addField(const std::string& text) {
    if (!needsQuotes(text)) {
        line_ += text;
        return;
    }
    line_ += '"';
    for (const char c : text) {
        if (c == '"') {
            line_ += '"';
        }
        line_ += c;
    }
    line_ += '"';
}

} // namespace quillmarten
