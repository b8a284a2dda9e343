#include "texture_test_helpers.h"
#include "textures/blp_codec.h"
#include "textures/image_file.h"
#include "textures/texture_error.h"
#include "textures/tga_reader.h"

#include <gtest/gtest.h>

namespace {

using namespace texture_tests;

// Decoding must either give a picture or one TextureError; anything else fails the test (and
// an out-of-bounds read fails it under the sanitizers).
void expectDecodesOrRefuses(const std::vector<std::uint8_t>& bytes) {
    try {
        const auto image = textures::decodeImage(bytes);
        EXPECT_EQ(image.pixels.size(), static_cast<std::size_t>(image.width) *
                                           static_cast<std::size_t>(image.height) * 4);
    } catch (const textures::TextureError& error) {
        EXPECT_NE(std::string(error.what()), "");
    }
}

TEST(HostileTextures, EveryTruncationOfABlpIsRefusedCleanly) {
    const auto jpeg = textures::encodeBlp(gradientPicture(8, 8));
    const auto paletted = palettedBlp(8, 8, 4, 4);
    for (const auto* whole : {&jpeg, &paletted}) {
        for (std::size_t length = 0; length < whole->size(); ++length) {
            const std::vector<std::uint8_t> part(
                whole->begin(), whole->begin() + static_cast<std::ptrdiff_t>(length));
            expectDecodesOrRefuses(part);
        }
    }
    const std::vector<std::uint8_t> cut(paletted.begin(), paletted.end() - 1);
    EXPECT_THROW(textures::decodeBlp(cut, 3), textures::TextureError);
}

TEST(HostileTextures, HugeOrEmptySizesAreRefusedBeforeReading) {
    auto bytes = palettedBlp(4, 4, 0, 1);
    put32(bytes, 12, 100000);
    try {
        textures::decodeBlp(bytes);
        FAIL() << "a 100000-pixel-wide header was accepted";
    } catch (const textures::TextureError& error) {
        EXPECT_NE(std::string(error.what()).find("8192"), std::string::npos) << error.what();
    }
    put32(bytes, 12, 0);
    EXPECT_THROW(textures::decodeBlp(bytes), textures::TextureError);

    std::vector<std::uint8_t> tga(18 + 4, 0);
    tga[2] = 2;
    tga[12] = 0x01, tga[13] = 0x40; // 16385 wide
    tga[14] = 1;
    tga[16] = 32;
    EXPECT_THROW(textures::decodeTga(tga), textures::TextureError);
}

TEST(HostileTextures, OffsetsAndTableSizesOutsideTheFileAreRefused) {
    auto jpeg = textures::encodeBlp(gradientPicture(8, 8));
    auto badTables = jpeg;
    put32(badTables, 156, 0xFFFFFFF0u);
    EXPECT_THROW(textures::decodeBlp(badTables), textures::TextureError);
    auto badOffset = jpeg;
    put32(badOffset, 28, 0xFFFFFFF0u);
    EXPECT_THROW(textures::decodeBlp(badOffset), textures::TextureError);
    auto badSize = jpeg;
    put32(badSize, 92, 0xFFFFFFF0u);
    EXPECT_THROW(textures::decodeBlp(badSize), textures::TextureError);
    auto badAlpha = palettedBlp(4, 4, 8, 1);
    put32(badAlpha, 8, 3);
    EXPECT_THROW(textures::decodeBlp(badAlpha), textures::TextureError);
    // A level whose JPEG has another size than the header claims
    auto wrongSize = jpeg;
    put32(wrongSize, 12, 16);
    EXPECT_THROW(textures::decodeBlp(wrongSize), textures::TextureError);
}

TEST(HostileTextures, FlippedBytesNeverEscapeAsAnythingButOneMessage) {
    const auto jpeg = textures::encodeBlp(gradientPicture(16, 8));
    for (std::size_t at = 0; at < jpeg.size(); at += 7) {
        auto bytes = jpeg;
        bytes[at] ^= 0xA5;
        expectDecodesOrRefuses(bytes);
    }
    EXPECT_THROW(textures::decodeImage(std::vector<std::uint8_t>{'n', 'o', 'p', 'e'}),
                 textures::TextureError);
}

} // namespace
