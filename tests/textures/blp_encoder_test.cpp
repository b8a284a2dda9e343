#include "support/independent_decoders.h"
#include "support/temp_folder.h"
#include "texture_test_helpers.h"
#include "textures/blp_codec.h"
#include "textures/image_file.h"
#include "textures/image_ops.h"
#include "textures/texture_error.h"

#include <gtest/gtest.h>

namespace {

using namespace texture_tests;

TEST(BlpEncoder, WritesTheFullMipmapChainCloseToTheSource) {
    const auto source = gradientPicture(64, 32);
    const auto bytes = textures::encodeBlp(source);
    const auto info = textures::readBlpInfo(bytes);
    EXPECT_EQ(info.content, textures::BlpContent::Jpeg);
    EXPECT_EQ(info.alphaBits, 8u);
    EXPECT_EQ(info.levels, 7); // 64x32 down to 1x1
    auto expected = source;
    for (int level = 0; level < info.levels; ++level) {
        SCOPED_TRACE("level " + std::to_string(level));
        const auto decoded = textures::decodeBlp(bytes, level);
        ASSERT_EQ(decoded.width, expected.width);
        ASSERT_EQ(decoded.height, expected.height);
        EXPECT_LT(meanDifference(decoded, expected), 3.0);
        expected = textures::halved(expected);
    }
    const auto top = textures::decodeBlp(bytes);
    EXPECT_LT(largestDifference(top, source), 40); // the hard edge rings a little
}

TEST(BlpEncoder, LowerQualityWritesLessAndQualityIsChecked) {
    const auto source = gradientPicture(128, 128);
    EXPECT_LT(textures::encodeBlp(source, 30).size(), textures::encodeBlp(source, 95).size());
    EXPECT_THROW(textures::encodeBlp(source, 0), textures::TextureError);
    EXPECT_THROW(textures::encodeBlp(source, 101), textures::TextureError);
    EXPECT_THROW(textures::encodeBlp(common::RgbaImage(0, 4)), textures::TextureError);
}

// A PNG written to BLP and read back by Pillow is close to the source (Pillow multiplies the
// colours by the alpha, so the source is compared the same way).
TEST(BlpEncoder, PillowReadsWhatWeWrite) {
    testing_support::TempFolder folder;
    const auto source = gradientPicture(64, 64);
    textures::writeImageFile(folder.file("source.png"), source, 90);
    const auto fromPng = textures::readImageFile(folder.file("source.png"));
    EXPECT_EQ(fromPng.pixels, source.pixels);
    textures::writeImageFile(folder.file("Texture.BLP"), fromPng, 90);
    const auto other = testing_support::decodeWithPillow(folder.file("Texture.BLP"));
    if (!other)
        GTEST_SKIP() << "Pillow (python3-pil) is not installed";
    ASSERT_EQ(other->width, 64);
    ASSERT_EQ(other->height, 64);
    double sum = 0;
    for (std::size_t i = 0; i < 64 * 64; ++i)
        for (std::size_t c = 0; c < 3; ++c)
            sum += std::abs(source.pixels[i * 4 + c] * source.pixels[i * 4 + 3] / 255.0 -
                            other->pixels[i * 3 + c]);
    EXPECT_LT(sum / (64 * 64 * 3), 3.0);
}

} // namespace
