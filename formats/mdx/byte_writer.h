#pragma once

#include "formats/mdx/mdx_model.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace mdx {

// Appends little-endian values to a byte string.
class ByteWriter {
  public:
    void u8(std::uint8_t v) { out_.push_back(static_cast<char>(v)); }
    void u16(std::uint16_t v);
    void u32(std::uint32_t v);
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void f32(float v);
    void tag(Tag t) { u32(t); }
    // The text padded with zeros to size bytes (cut to size when longer).
    void fixedString(std::string_view text, std::size_t size);
    void bytes(std::string_view data) { out_.append(data); }
    // Room for a size written later by patchSize, which stores the bytes written since
    // position from (its own four included when inclusive).
    std::size_t reserveSize();
    void patchSize(std::size_t at, bool inclusive);

    std::size_t size() const { return out_.size(); }
    std::string& text() { return out_; }

  private:
    std::string out_;
};

} // namespace mdx
