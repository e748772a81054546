#pragma once

#include <array>
#include <cstdint>

namespace quillmarten::pictures {

struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The sixteen colours every Windows display can show, in the order 4-bit icons index them.
inline constexpr std::array<Rgb, 16> vgaPalette{{
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
inline constexpr Rgb black = vgaPalette[0];
inline constexpr Rgb darkRed = vgaPalette[1];
inline constexpr Rgb darkGreen = vgaPalette[2];
inline constexpr Rgb grey = vgaPalette[7];
inline constexpr Rgb darkGrey = vgaPalette[8];
inline constexpr Rgb red = vgaPalette[9];
inline constexpr Rgb green = vgaPalette[10];
inline constexpr Rgb blue = vgaPalette[12];
inline constexpr Rgb white = vgaPalette[15];
} // namespace colour

// Index of an exact palette colour; throws for any other, since a 16-colour icon cannot hold it.
std::uint8_t vgaIndex(Rgb wanted);

} // namespace quillmarten::pictures
