#include "pictures.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes read_file(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::uint32_t field(const Bytes& bytes, std::size_t offset, std::size_t width) {
    std::uint32_t value = 0;
    for (std::size_t i = width; i > 0; --i) {
        value = (value << 8U) | bytes.at(offset + i - 1);
    }
    return value;
}

// What Windows needs to load them: one 32 x 32, 16-colour image per icon or cursor file, the
// icons opaque; a bottom-up 24-bit bitmap of 40 x 39 on the dialog's grey; the same bytes every
// build.
TEST(Pictures, AreTheFilesWindowsLoadsAndTheSameEveryBuild) {
    const auto directory = std::filesystem::current_path() / "make_pictures_test_output";
    pictures::write_pictures(directory / "first");
    pictures::write_pictures(directory / "second");
    for (const char* name : {"running.ico", "paused.ico", "stopped.ico", "about.ico", "hand.cur"}) {
        SCOPED_TRACE(name);
        const Bytes file = read_file(directory / "first" / name);
        ASSERT_EQ(file.size(), 766U);
        const bool cursor = name == std::string("hand.cur");
        EXPECT_EQ(field(file, 2, 2), cursor ? 2U : 1U);
        EXPECT_EQ(field(file, 4, 2), 1U) << "one image";
        EXPECT_EQ(field(file, 6, 3), 32U | 32U << 8 | 16U << 16) << "32 x 32 in 16 colours";
        EXPECT_EQ(Bytes(file.begin() + 22 + 40 + 64 + 512, file.end()) == Bytes(128, 0), !cursor)
            << "icons are opaque, the hand's ground is not";
        EXPECT_EQ(file, read_file(directory / "second" / name));
    }
    EXPECT_EQ(field(read_file(directory / "first" / "hand.cur"), 10, 4), 5U) << "the fingertip";
    const Bytes balloon = read_file(directory / "first" / "balloon.bmp");
    ASSERT_EQ(balloon.size(), 4734U);
    EXPECT_EQ(field(balloon, 18, 4), 40U);
    EXPECT_EQ(field(balloon, 22, 4), 39U);
    EXPECT_EQ(field(balloon, 28, 2), 24U);
    EXPECT_EQ(Bytes(balloon.end() - 3, balloon.end()), (Bytes{206, 211, 214}));
    EXPECT_EQ(balloon, read_file(directory / "second" / "balloon.bmp"));
}

} // namespace
