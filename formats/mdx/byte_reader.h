#pragma once

#include "formats/mdx/mdx_model.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace mdx {

// Reads little-endian values from a window of the file. Every read checks the bytes left in
// the window first; a read past it throws a FormatError naming the window's chunk and the
// absolute byte offset.
class ByteReader {
  public:
    ByteReader(std::string_view file, std::size_t begin, std::size_t end, std::string chunk);

    std::uint8_t u8();
    std::uint16_t u16();
    std::uint32_t u32();
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    float f32();
    Tag tag() { return u32(); }
    // The next tag without taking it; 0 when fewer than four bytes are left.
    Tag peekTag() const;
    // A fixed-size text field: its bytes without the trailing zeros.
    std::string fixedString(std::size_t size);
    std::string bytes(std::size_t size);
    // size bytes copied as they are into out: values of the host's byte order when it is the
    // file's (little-endian).
    void copyTo(void* out, std::size_t size);
    // A window over the next size bytes, which this reader skips.
    ByteReader window(std::size_t size, std::string chunk);
    // A count of records of recordSize bytes each, refused when they cannot fit in what is left.
    std::size_t count(std::size_t recordSize);

    std::size_t left() const { return end_ - pos_; }
    bool atEnd() const { return pos_ == end_; }
    std::size_t offset() const { return pos_; }
    const std::string& chunk() const { return chunk_; }
    [[noreturn]] void fail(const std::string& message) const;
    [[noreturn]] void failAt(std::size_t offset, const std::string& message) const;

  private:
    void need(std::size_t size, const char* what) const;
    std::string_view file_;
    std::size_t pos_;
    std::size_t end_;
    std::string chunk_;
};

} // namespace mdx
