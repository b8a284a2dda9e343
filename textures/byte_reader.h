#pragma once

#include "textures/texture_error.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace textures {

using Bytes = std::span<const std::uint8_t>;

// Little-endian fields read from a byte range; reading past its end throws with the name of
// the file kind, so a truncated file is one clear message and never an out-of-bounds read.
class ByteReader {
  public:
    ByteReader(Bytes bytes, std::string kind) : bytes_(bytes), kind_(std::move(kind)) {}

    std::uint8_t u8() {
        need(1);
        return bytes_[position_++];
    }
    std::uint16_t u16() {
        need(2);
        const auto value =
            static_cast<std::uint16_t>(bytes_[position_] | bytes_[position_ + 1] << 8);
        position_ += 2;
        return value;
    }
    std::uint32_t u32() {
        need(4);
        std::uint32_t value = 0;
        for (int i = 3; i >= 0; --i)
            value = value << 8 | bytes_[position_ + static_cast<std::size_t>(i)];
        position_ += 4;
        return value;
    }
    Bytes take(std::size_t count) {
        need(count);
        const auto part = bytes_.subspan(position_, count);
        position_ += count;
        return part;
    }
    void skip(std::size_t count) { take(count); }
    std::size_t position() const { return position_; }
    std::size_t remaining() const { return bytes_.size() - position_; }

  private:
    void need(std::size_t count) const {
        if (count > bytes_.size() - position_)
            throw TextureError("the " + kind_ + " file is truncated");
    }
    Bytes bytes_;
    std::string kind_;
    std::size_t position_ = 0;
};

} // namespace textures
