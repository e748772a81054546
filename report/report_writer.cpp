#include "report_writer.h"

#include "csv_writer.h"
#include "json_writer.h"
#include "table_writer.h"

namespace quillmarten {

namespace {

void writeAll(ReportWriter&& writer, const ReportRows& rows) {
    rows(writer);
    writer.finish();
}

} // namespace

ReportRow headerRow(const std::vector<std::string>& columns) {
    ReportRow header;
    for (const std::string& column : columns) {
        header.push_back(Cell{column});
    }
    return header;
}

void writeReport(OutputFormat format, const std::vector<std::string>& columns,
                 const ReportRows& rows, std::ostream& out) {
    switch (format) {
    case OutputFormat::csv:
        return writeAll(CsvWriter(columns, out), rows);
    case OutputFormat::json:
        return writeAll(JsonWriter(columns, out), rows);
    case OutputFormat::table:
        break;
    }
    TableMeasure measure(columns);
    rows(measure);
    writeAll(TableWriter(measure.layout(), columns, out), rows);
}

} // namespace quillmarten
