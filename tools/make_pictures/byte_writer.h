#pragma once

#include <cstdint>
#include <stdexcept>
#include <utility>
#include <vector>

namespace quillmarten::pictures {

using Bytes = std::vector<std::uint8_t>;

// File header fields are narrower than the sizes computed for them; a value that does not fit
// would silently corrupt the file, so it stops the build instead.
template <typename To, typename From> To narrow(From value) {
    if (!std::in_range<To>(value)) {
        throw std::range_error("value does not fit its file field");
    }
    return static_cast<To>(value);
}

// Collects little-endian fields: the byte order of every Windows picture format.
class ByteWriter {
  public:
    void u8(std::uint8_t value) { bytes_.push_back(value); }
    void u16(std::uint16_t value) { put(value, 2); }
    void u32(std::uint32_t value) { put(value, 4); }
    void append(const Bytes& more) { bytes_.insert(bytes_.end(), more.begin(), more.end()); }
    Bytes take() { return std::move(bytes_); }

  private:
    void put(std::uint32_t value, int byteCount) {
        for (int i = 0; i < byteCount; ++i) {
            u8(static_cast<std::uint8_t>(value >> (8 * i)));
        }
    }

    Bytes bytes_;
};

} // namespace quillmarten::pictures
