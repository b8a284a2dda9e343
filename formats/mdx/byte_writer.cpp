#include "formats/mdx/byte_writer.h"

#include <bit>

namespace mdx {

void ByteWriter::u16(std::uint16_t v) {
    out_.push_back(static_cast<char>(v & 0xFF));
    out_.push_back(static_cast<char>(v >> 8));
}

void ByteWriter::u32(std::uint32_t v) {
    const char b[4] = {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
                       static_cast<char>((v >> 16) & 0xFF), static_cast<char>(v >> 24)};
    out_.append(b, 4);
}

void ByteWriter::f32(float v) {
    u32(std::bit_cast<std::uint32_t>(v));
}

void ByteWriter::fixedString(std::string_view text, std::size_t size) {
    text = text.substr(0, size);
    out_.append(text);
    out_.append(size - text.size(), '\0');
}

std::size_t ByteWriter::reserveSize() {
    const auto at = out_.size();
    u32(0);
    return at;
}

void ByteWriter::patchSize(std::size_t at, bool inclusive) {
    const auto size = static_cast<std::uint32_t>(out_.size() - at - (inclusive ? 0 : 4));
    for (int i = 0; i < 4; ++i)
        out_[at + static_cast<std::size_t>(i)] = static_cast<char>((size >> (8 * i)) & 0xFF);
}

} // namespace mdx
