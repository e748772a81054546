#include "table_writer.h"

#include <algorithm>

namespace quillmarten {

namespace {

// Characters, not bytes, so that a machine named in UTF-8 lines up.
std::size_t widthOf(const std::string& text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

} // namespace

void TableWriter::row(const ReportRow& cells) {
    ReportRow line{Cell{machine_}};
    line.insert(line.end(), cells.begin(), cells.end());
    lines_.push_back(std::move(line));
}

void TableWriter::finish() {
    const std::size_t columns = lines_.front().size();
    std::vector<std::size_t> widths(columns, 0);
    std::vector<bool> counts(columns, false);
    for (const ReportRow& line : lines_) {
        for (std::size_t column = 0; column < line.size(); ++column) {
            widths[column] = std::max(widths[column], widthOf(line[column].text));
            counts[column] = counts[column] || line[column].number;
        }
    }
    for (const ReportRow& line : lines_) {
        std::string text;
        for (std::size_t column = 0; column < line.size(); ++column) {
            const std::string padding(widths[column] - widthOf(line[column].text), ' ');
            text += column > 0 ? "  " : "";
            text += counts[column] ? padding + line[column].text : line[column].text + padding;
        }
        text.erase(text.find_last_not_of(' ') + 1);
        out_ << text << '\n';
    }
}

} // namespace quillmarten
