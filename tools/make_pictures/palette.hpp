#pragma once

#include <array>
#include <cstdint>

namespace pictures {

struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The sixteen colours every Windows display can show, in the order 4-bit icons index them.
inline constexpr std::array<Rgb, 16> vga_palette{{
    {0, 0, 0},
    {128, 0, 0},
    {0, 128, 0},
    {128, 128, 0},
    {0, 0, 128},
    {128, 0, 128},
    {0, 128, 128},
    {192, 192, 192},
    {128, 128, 128},
    {255, 0, 0},
    {0, 255, 0},
    {255, 255, 0},
    {0, 0, 255},
    {255, 0, 255},
    {0, 255, 255},
    {255, 255, 255},
}};

namespace colour {
inline constexpr Rgb black = vga_palette[0];
inline constexpr Rgb dark_red = vga_palette[1];
inline constexpr Rgb dark_green = vga_palette[2];
inline constexpr Rgb grey = vga_palette[7];
inline constexpr Rgb dark_grey = vga_palette[8];
inline constexpr Rgb red = vga_palette[9];
inline constexpr Rgb green = vga_palette[10];
inline constexpr Rgb blue = vga_palette[12];
inline constexpr Rgb white = vga_palette[15];
} // namespace colour

// Index of an exact palette colour; throws for any other, since a 16-colour icon cannot hold it.
std::uint8_t vga_index(Rgb wanted);

} // namespace pictures
