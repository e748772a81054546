#include "report_writer.h"

#include "csv_writer.h"
#include "json_writer.h"
#include "table_writer.h"

namespace quillmarten {

ReportRow headerRow(const std::vector<std::string>& columns) {
    ReportRow header;
    for (const std::string& column : columns) {
        header.push_back(Cell{column});
    }
    return header;
}

std::unique_ptr<ReportWriter>
makeReportWriter(OutputFormat format, const std::vector<std::string>& columns, std::ostream& out) {
    switch (format) {
    case OutputFormat::csv:
        return std::make_unique<CsvWriter>(columns, out);
    case OutputFormat::json:
        return std::make_unique<JsonWriter>(columns, out);
    case OutputFormat::table:
        break;
    }
    return std::make_unique<TableWriter>(columns, out);
}

} // namespace quillmarten
