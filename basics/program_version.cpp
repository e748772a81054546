#include "basics/program_version.h"

namespace quillmarten {

std::string versionCaption(const ProgramVersion& version) {
    return version.fileDescription + " - Version " + std::to_string(version.major) + "." +
           std::to_string(version.minor) + "." + std::to_string(version.revision);
}

} // namespace quillmarten
