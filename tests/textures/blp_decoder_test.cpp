#include "support/independent_decoders.h"
#include "support/temp_folder.h"
#include "texture_test_helpers.h"
#include "textures/blp_codec.h"
#include "textures/image_file.h"
#include "textures/texture_error.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <filesystem>

namespace {

using namespace texture_tests;
namespace fs = std::filesystem;

const fs::path corpusTextures = fs::path(MOLDRIN_CORPUS_DIR) / "mdx";

TEST(BlpDecoder, PalettedAlphaDepthsAndNonSquareLevelsDecodeExactly) {
    for (std::uint32_t bits : {0u, 1u, 4u, 8u}) {
        SCOPED_TRACE("alpha bits " + std::to_string(bits));
        const auto bytes = palettedBlp(16, 4, bits, 5);
        const auto info = textures::readBlpInfo(bytes);
        EXPECT_EQ(info.content, textures::BlpContent::Paletted);
        EXPECT_EQ(info.levels, 5); // 16x4, 8x2, 4x1, 2x1, 1x1
        for (int level = 0; level < info.levels; ++level) {
            const auto image = textures::decodeBlp(bytes, level);
            const int w = std::max(1, 16 >> level);
            const int h = std::max(1, 4 >> level);
            ASSERT_EQ(image.width, w);
            ASSERT_EQ(image.height, h);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const int index = (x + 3 * y) % 256;
                    const auto* p = image.at(x, y);
                    EXPECT_EQ(p[0], index / 2);
                    EXPECT_EQ(p[1], 255 - index);
                    EXPECT_EQ(p[2], index);
                    const unsigned stored = bits ? static_cast<unsigned>(x + y) % (1u << bits) : 0;
                    const unsigned alpha = bits == 0   ? 255
                                           : bits == 1 ? stored * 255
                                           : bits == 4 ? stored * 17
                                                       : stored;
                    EXPECT_EQ(p[3], alpha) << x << "," << y;
                }
        }
        EXPECT_THROW(textures::decodeBlp(bytes, 5), textures::TextureError);
    }
}

// Pillow reads the paletted textures' colours, and gives a JPEG texture's colours multiplied by
// its fourth component (the alpha); both are compared against ours.
TEST(BlpDecoder, CorpusTexturesMatchPillow) {
    if (!fs::is_directory(corpusTextures))
        GTEST_SKIP() << "the texture corpus is missing: " << corpusTextures;
    int compared = 0;
    for (const auto& entry : fs::directory_iterator(corpusTextures)) {
        if (entry.path().extension() != ".blp")
            continue;
        SCOPED_TRACE(entry.path().filename().string());
        const auto other = testing_support::decodeWithPillow(entry.path());
        if (!other)
            GTEST_SKIP() << "Pillow (python3-pil) is not installed";
        const auto ours = textures::readImageFile(entry.path());
        ASSERT_EQ(ours.width, other->width);
        ASSERT_EQ(ours.height, other->height);
        ASSERT_EQ(other->channels, 3);
        const auto bytes = testing_support::readFile(entry.path());
        const auto info = textures::readBlpInfo(
            {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
        int worst = 0;
        for (std::size_t i = 0; i < static_cast<std::size_t>(ours.width * ours.height); ++i)
            for (std::size_t c = 0; c < 3; ++c) {
                double expected = ours.pixels[i * 4 + c];
                if (info.content == textures::BlpContent::Jpeg)
                    expected = expected * ours.pixels[i * 4 + 3] / 255.0;
                const double diff = std::abs(expected - other->pixels[i * 3 + c]);
                worst = std::max(worst, static_cast<int>(std::ceil(diff)));
            }
        if (info.content == textures::BlpContent::Paletted)
            EXPECT_EQ(worst, 0);
        else
            EXPECT_LE(worst, 2);
        ++compared;
    }
    EXPECT_GE(compared, 9);
}

TEST(BlpDecoder, EveryCorpusMipmapLevelDecodesAtItsSize) {
    if (!fs::is_directory(corpusTextures))
        GTEST_SKIP() << "the texture corpus is missing: " << corpusTextures;
    for (const auto& entry : fs::directory_iterator(corpusTextures)) {
        if (entry.path().extension() != ".blp")
            continue;
        SCOPED_TRACE(entry.path().filename().string());
        const auto text = testing_support::readFile(entry.path());
        const textures::Bytes bytes{reinterpret_cast<const std::uint8_t*>(text.data()),
                                    text.size()};
        const auto info = textures::readBlpInfo(bytes);
        // Every texture but the minimap (one level) has its full chain.
        EXPECT_EQ(info.levels,
                  entry.path().filename() == "war3mapMap.blp"
                      ? 1
                      : std::bit_width(static_cast<unsigned>(std::max(info.width, info.height))));
        for (int level = 0; level < info.levels; ++level) {
            const auto image = textures::decodeBlp(bytes, level);
            EXPECT_EQ(image.width, std::max(1, info.width >> level));
            EXPECT_EQ(image.height, std::max(1, info.height >> level));
        }
    }
}

// The alpha field's odd values (6, 7 in the corpus, 9 and 10 elsewhere) change nothing for JPEG
// content: the alpha is the JPEG's fourth component either way.
TEST(BlpDecoder, OddAlphaFieldChangesNothingForJpegContent) {
    const auto source = gradientPicture(32, 16);
    auto bytes = textures::encodeBlp(source);
    const auto reference = textures::decodeBlp(bytes);
    for (std::uint32_t odd : {0u, 6u, 7u, 9u, 10u}) {
        put32(bytes, 8, odd);
        EXPECT_EQ(textures::decodeBlp(bytes).pixels, reference.pixels) << odd;
    }
}

} // namespace
