#include "pictures.hpp"

#include "drawings.hpp"
#include "encoders.hpp"

#include <array>
#include <fstream>
#include <ios>
#include <stdexcept>
#include <string_view>

namespace pictures {
namespace {

struct Picture {
    std::string_view file_name;
    Bytes (*make)();
};

constexpr std::array<Picture, 6> all_pictures{{
    {"running.ico", [] { return encode_icon(running_icon()); }},
    {"paused.ico", [] { return encode_icon(paused_icon()); }},
    {"stopped.ico", [] { return encode_icon(stopped_icon()); }},
    {"about.ico", [] { return encode_icon(about_icon()); }},
    {"balloon.bmp", [] { return encode_bmp(balloon()); }},
    {"hand.cur", [] { return encode_cursor(hand_cursor(), hand_hotspot); }},
}};

void write_file(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), narrow<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

} // namespace

void write_pictures(const std::filesystem::path& directory) {
    std::filesystem::create_directories(directory);
    for (const Picture& picture : all_pictures) {
        write_file(directory / picture.file_name, picture.make());
    }
}

} // namespace pictures
