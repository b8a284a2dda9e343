// moldrin-batch with pictures: --convert-image, and the texture steps on the sample cube, whose
// material names "Textures\\white.blp".

#include "support/run_program.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;
using testing_support::runProgram;

// A 2 x 2 uncompressed TGA, top row first: red, green / blue, white, all opaque.
std::string smallTga() {
    std::string tga(18, '\0');
    tga[2] = 2;
    tga[12] = 2;
    tga[14] = 2;
    tga[16] = 32;
    tga[17] = 0x28; // top-left origin, 8 alpha bits
    const unsigned char bgra[] = {0,   0, 255, 255, 0,   255, 0,   255,
                                  255, 0, 0,   255, 255, 255, 255, 255};
    tga.append(reinterpret_cast<const char*>(bgra), sizeof bgra);
    return tga;
}

// The PNG's size from its header.
std::pair<int, int> pngSize(const std::string& png) {
    auto be32 = [&](std::size_t at) {
        return static_cast<int>(static_cast<unsigned char>(png[at]) << 24 |
                                static_cast<unsigned char>(png[at + 1]) << 16 |
                                static_cast<unsigned char>(png[at + 2]) << 8 |
                                static_cast<unsigned char>(png[at + 3]));
    };
    return png.size() > 24 ? std::pair{be32(16), be32(20)} : std::pair{0, 0};
}

TEST(MoldrinBatchTextures, ConvertImageChoosesTheFormatFromTheExtension) {
    testing_support::TempFolder folder;
    const auto tga = folder.write("small.tga", smallTga());
    auto run = runProgram(MOLDRIN_BATCH_PATH, {"--convert-image", tga, folder.file("small.BLP")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(testing_support::readFile(folder.file("small.BLP")).substr(0, 4), "BLP1");
    run = runProgram(MOLDRIN_BATCH_PATH, {"--convert-image", folder.file("small.BLP"),
                                          folder.file("back.png"), "--quality", "100"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto png = testing_support::readFile(folder.file("back.png"));
    EXPECT_EQ(png.substr(1, 3), "PNG");
    EXPECT_EQ(pngSize(png), (std::pair{2, 2}));

    EXPECT_EQ(runProgram(MOLDRIN_BATCH_PATH, {"--convert-image", tga}).status, 2);
    EXPECT_EQ(
        runProgram(MOLDRIN_BATCH_PATH, {"--convert-image", tga, "x.png", "--quality", "0"}).status,
        2);
    run = runProgram(MOLDRIN_BATCH_PATH, {"--convert-image", tga, folder.file("out.webp")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(".webp"), std::string::npos) << run.err;
    const auto junk = folder.write("junk.blp", std::string("BLP1") + std::string(6, '\0'));
    run = runProgram(MOLDRIN_BATCH_PATH, {"--convert-image", junk, folder.file("out.png")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("truncated"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(folder.file("out.png")));
}

TEST(MoldrinBatchTextures, ImageExportAndBackgroundSteps) {
    testing_support::TempFolder folder;
    const auto model = folder.copyIn(fs::path(MOLDRIN_EXAMPLES_DIR) / "cube.mdl", "cube.mdl");
    const auto tga = folder.write("small.tga", smallTga());
    auto run = runProgram(MOLDRIN_BATCH_PATH, {model, "uv-open", "uv-dump", "uv-image=" + tga,
                                               "uv-dump", "uv-export=" + folder.file("a.png"),
                                               "uv-export=" + folder.file("b.png") + ",300"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto out = testing_support::outputLines(run.out);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_NE(out[0].find("\"background\": null}"), std::string::npos) << out[0];
    EXPECT_NE(out[1].find("\"background\": \"" + tga + "\"}"), std::string::npos) << out[1];
    // The texture named by the cube's material is not there: said once, as the tip box would.
    EXPECT_NE(run.err.find("Tip: The geoset's texture \"Textures\\\\white.blp\""),
              std::string::npos)
        << run.err;
    EXPECT_EQ(pngSize(testing_support::readFile(folder.file("a.png"))), (std::pair{2, 2}));
    EXPECT_EQ(pngSize(testing_support::readFile(folder.file("b.png"))), (std::pair{300, 300}));

    // Beside the model, in any case, the texture is shown on opening.
    fs::create_directories(folder.path() / "textures");
    fs::copy_file(tga, folder.path() / "textures" / "WHITE.blp");
    run = runProgram(MOLDRIN_BATCH_PATH, {model, "uv-open", "uv-dump"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("WHITE.blp\"}"), std::string::npos) << run.out;
    EXPECT_EQ(run.err.find("Tip:"), std::string::npos);

    run = runProgram(MOLDRIN_BATCH_PATH,
                     {model, "uv-open", "uv-export=" + folder.file("c.png") + ",0"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(runProgram(MOLDRIN_BATCH_PATH, {model, "uv-export=x.png"}).status, 1);
}

} // namespace
