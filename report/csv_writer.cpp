#include "csv_writer.h"

namespace quillmarten {

CsvWriter::CsvWriter(const std::vector<std::string>& columns, std::ostream& out) : out_(out) {
    row(headerRow(columns));
}

void CsvWriter::row(const ReportRow& row) {
    for (std::size_t column = 0; column < row.size(); ++column) {
        if (column > 0) {
            out_ << ',';
        }
        field(row[column].text);
    }
    out_ << "\r\n";
}

void CsvWriter::field(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        out_ << text;
        return;
    }
    out_ << '"';
    for (const char c : text) {
        if (c == '"') {
            out_ << '"';
        }
        out_ << c;
    }
    out_ << '"';
}

} // namespace quillmarten
