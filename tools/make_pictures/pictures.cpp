#include "pictures.h"

#include "drawings.h"
#include "encoders.h"

#include <array>
#include <fstream>
#include <ios>
#include <stdexcept>
#include <string_view>

namespace quillmarten::pictures {
namespace {

struct Picture {
    std::string_view fileName;
    Bytes (*make)();
};

constexpr std::array<Picture, 6> allPictures{{
    {"running.ico", [] { return encodeIcon(runningIcon()); }},
    {"paused.ico", [] { return encodeIcon(pausedIcon()); }},
    {"stopped.ico", [] { return encodeIcon(stoppedIcon()); }},
    {"about.ico", [] { return encodeIcon(aboutIcon()); }},
    {"balloon.bmp", [] { return encodeBmp(balloon()); }},
    {"hand.cur", [] { return encodeCursor(handCursor(), handHotspot); }},
}};

void writeFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), narrow<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

} // namespace

void writePictures(const std::filesystem::path& directory) {
    std::filesystem::create_directories(directory);
    for (const Picture& picture : allPictures) {
        writeFile(directory / picture.fileName, picture.make());
    }
}

} // namespace quillmarten::pictures
