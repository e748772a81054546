#pragma once

#include <filesystem>

namespace quillmarten::pictures {

// Writes running.ico, paused.ico, stopped.ico, about.ico, balloon.bmp and hand.cur into the
// directory, creating it when needed. The files depend on nothing but this program, byte for byte.
void writePictures(const std::filesystem::path& directory);

} // namespace quillmarten::pictures
