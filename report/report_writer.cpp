#include "report/report_writer.h"

namespace quillmarten {

ReportRow headerRow(const std::vector<std::string>& columns) {
    ReportRow header;
    for (const std::string& column : columns) {
        header.push_back(Cell{column});
    }
    return header;
}

} // namespace quillmarten
