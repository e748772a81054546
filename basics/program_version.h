#pragma once

#include <string>
#include <string_view>

namespace quillmarten {

// The product and its maker, in UTF-8 as every text the program keeps.
inline constexpr std::string_view productLine = "Quillmarten by Brackwater\xC2\xAE";

// What the executable's version resource says of the program.
struct ProgramVersion {
    std::string fileDescription;
    int major = 0;
    int minor = 0;
    int build = 0;
    int revision = 0;
};

// "Quillmarten - Version 1.0.45": the third of the four version numbers is not shown.
std::string versionCaption(const ProgramVersion& version);

} // namespace quillmarten
