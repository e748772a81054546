#include "log_file/whole_file.h"

#include "basics/error_report.h"

namespace quillmarten {

void writeFileWhole(FileSystem& files, std::string_view bytes, const std::string& target) {
    const std::string partial = target + ".part";
    try {
        {
            const auto file = files.openReadWrite(partial);
            file->truncate(0);
            file->writeAt(0, bytes);
        } // closed first: Windows moves no file that is open
        files.moveOver(partial, target);
    } catch (const RaisedError&) {
        try {
            files.removeFile(partial);
        } catch (const RaisedError&) {
        }
        throw;
    }
}

} // namespace quillmarten
