#include "formats/mdx/byte_reader.h"

#include "formats/mdx/format_error.h"

#include <bit>
#include <cstring>

namespace mdx {

ByteReader::ByteReader(std::string_view file, std::size_t begin, std::size_t end, std::string chunk)
    : file_(file), pos_(begin), end_(end), chunk_(std::move(chunk)) {}

void ByteReader::fail(const std::string& message) const {
    failAt(pos_, message);
}

void ByteReader::failAt(std::size_t offset, const std::string& message) const {
    throw FormatError(chunk_, offset, message);
}

void ByteReader::need(std::size_t size, const char* what) const {
    if (size > left())
        fail(std::string(what) + " needs " + std::to_string(size) + " bytes but only " +
             std::to_string(left()) + " are left");
}

std::uint8_t ByteReader::u8() {
    need(1, "a byte");
    return static_cast<std::uint8_t>(file_[pos_++]);
}

std::uint16_t ByteReader::u16() {
    need(2, "a 16-bit number");
    const auto* p = reinterpret_cast<const unsigned char*>(file_.data() + pos_);
    pos_ += 2;
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

std::uint32_t ByteReader::u32() {
    need(4, "a 32-bit number");
    const auto* p = reinterpret_cast<const unsigned char*>(file_.data() + pos_);
    pos_ += 4;
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

float ByteReader::f32() {
    return std::bit_cast<float>(u32());
}

Tag ByteReader::peekTag() const {
    if (left() < 4)
        return 0;
    const auto* p = reinterpret_cast<const unsigned char*>(file_.data() + pos_);
    return static_cast<Tag>(p[0]) | static_cast<Tag>(p[1]) << 8 | static_cast<Tag>(p[2]) << 16 |
           static_cast<Tag>(p[3]) << 24;
}

void ByteReader::copyTo(void* out, std::size_t size) {
    need(size, "a block of bytes");
    if (size > 0)
        std::memcpy(out, file_.data() + pos_, size);
    pos_ += size;
}

std::string ByteReader::fixedString(std::size_t size) {
    need(size, "a text field");
    std::string text(file_.substr(pos_, size));
    pos_ += size;
    while (!text.empty() && text.back() == '\0')
        text.pop_back();
    return text;
}

std::string ByteReader::bytes(std::size_t size) {
    need(size, "a block of bytes");
    std::string data(file_.substr(pos_, size));
    pos_ += size;
    return data;
}

ByteReader ByteReader::window(std::size_t size, std::string chunk) {
    if (size > left())
        fail("the " + chunk + " size " + std::to_string(size) +
             " runs past its parent, which has " + std::to_string(left()) + " bytes left");
    ByteReader inner(file_, pos_, pos_ + size, std::move(chunk));
    pos_ += size;
    return inner;
}

std::size_t ByteReader::count(std::size_t recordSize) {
    const auto at = pos_;
    const std::uint32_t n = u32();
    if (recordSize != 0 && n > left() / recordSize)
        failAt(at, "the count " + std::to_string(n) + " of " + std::to_string(recordSize) +
                       "-byte records runs past the " + std::to_string(left()) + " bytes left");
    return n;
}

} // namespace mdx
