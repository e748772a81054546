#include "pictures.hpp"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// Each test writes its own directory under the build tree, so tests run in parallel processes
// never read a file another one is rewriting.
std::filesystem::path output_directory(const std::string& suffix) {
    const std::string test_name = testing::UnitTest::GetInstance()->current_test_info()->name();
    return std::filesystem::current_path() / "make_pictures_test_output" / (test_name + suffix);
}

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

class PicturesTest : public testing::Test {
  protected:
    void SetUp() override { pictures::write_pictures(output_directory("")); }

    static Bytes picture(const std::string& name) { return read_file(output_directory("") / name); }
};

// Checks the directory and bitmap header shared by the 32 x 32, 16-colour icon and cursor files.
void expect_icon_layout(const Bytes& file, std::uint32_t type) {
    ASSERT_EQ(file.size(), 766U);
    EXPECT_EQ(field(file, 0, 2), 0U);
    EXPECT_EQ(field(file, 2, 2), type);
    EXPECT_EQ(field(file, 4, 2), 1U);
    EXPECT_EQ(field(file, 6, 1), 32U);
    EXPECT_EQ(field(file, 7, 1), 32U);
    EXPECT_EQ(field(file, 8, 1), 16U);
    EXPECT_EQ(field(file, 14, 4), 744U);
    EXPECT_EQ(field(file, 18, 4), 22U);
    EXPECT_EQ(field(file, 22, 4), 40U);
    EXPECT_EQ(field(file, 26, 4), 32U);
    EXPECT_EQ(field(file, 30, 4), 64U);
    EXPECT_EQ(field(file, 34, 2), 1U);
    EXPECT_EQ(field(file, 36, 2), 4U);
    EXPECT_EQ(field(file, 38, 4), 0U);
}

TEST_F(PicturesTest, IconsAreSingle16ColourImages) {
    for (const char* name : {"running.ico", "paused.ico", "stopped.ico", "about.ico"}) {
        SCOPED_TRACE(name);
        const Bytes file = picture(name);
        expect_icon_layout(file, 1);
        EXPECT_EQ(field(file, 10, 2), 1U);
        EXPECT_EQ(field(file, 12, 2), 4U);
    }
}

TEST_F(PicturesTest, IconsAreFullyOpaque) {
    const std::size_t mask_offset = 22 + 40 + 64 + 512;
    for (const char* name : {"running.ico", "paused.ico", "stopped.ico", "about.ico"}) {
        SCOPED_TRACE(name);
        const Bytes file = picture(name);
        for (std::size_t i = mask_offset; i < file.size(); ++i) {
            ASSERT_EQ(file[i], 0U);
        }
    }
}

TEST_F(PicturesTest, CursorClicksAtTheFingertip) {
    const Bytes file = picture("hand.cur");
    expect_icon_layout(file, 2);
    EXPECT_EQ(field(file, 10, 2), 5U);
    EXPECT_EQ(field(file, 12, 2), 0U);
}

TEST_F(PicturesTest, BalloonIs24Bit40By39) {
    const Bytes file = picture("balloon.bmp");
    ASSERT_EQ(file.size(), 4734U);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(field(file, 2, 4), 4734U);
    EXPECT_EQ(field(file, 10, 4), 54U);
    EXPECT_EQ(field(file, 14, 4), 40U);
    EXPECT_EQ(field(file, 18, 4), 40U);
    EXPECT_EQ(field(file, 22, 4), 39U);
    EXPECT_EQ(field(file, 28, 2), 24U);
    EXPECT_EQ(field(file, 34, 4), 4680U);
}

TEST_F(PicturesTest, BalloonGroundIsDialogGrey) {
    const Bytes file = picture("balloon.bmp");
    const std::size_t last_pixel = file.size() - 3;
    EXPECT_EQ(file[last_pixel], 206U);
    EXPECT_EQ(file[last_pixel + 1], 211U);
    EXPECT_EQ(file[last_pixel + 2], 214U);
}

TEST_F(PicturesTest, OutputIsReproducible) {
    pictures::write_pictures(output_directory("_again"));
    for (const char* name :
         {"running.ico", "paused.ico", "stopped.ico", "about.ico", "balloon.bmp", "hand.cur"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(picture(name), read_file(output_directory("_again") / name));
    }
}

} // namespace
