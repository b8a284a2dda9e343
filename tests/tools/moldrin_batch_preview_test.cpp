// moldrin-batch preview: the 3D view drawn offscreen into a picture, checked by its pixels.

#include "support/run_program.h"
#include "support/temp_folder.h"

#include "editor/preview/preview_scene.h"
#include "textures/image_file.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;
using testing_support::runProgram;

bool isBackground(const std::uint8_t* pixel) {
    const auto& colour = editor::preview::backgroundColour;
    return pixel[0] == colour[0] && pixel[1] == colour[1] && pixel[2] == colour[2];
}

// Where the model is drawn: the share of pixels covered and the box around them.
struct Coverage {
    double share = 0;
    int left = 0, right = -1, top = 0, bottom = -1;
    double greenShare = 0; // of the covered pixels, those clearly green
};

Coverage coverageOf(const common::RgbaImage& picture) {
    Coverage result;
    result.left = picture.width;
    result.top = picture.height;
    int covered = 0, green = 0;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            const auto* p = picture.at(x, y);
            if (isBackground(p))
                continue;
            ++covered;
            green += p[1] > p[0] + 8 && p[1] > p[2] + 8;
            result.left = std::min(result.left, x);
            result.right = std::max(result.right, x);
            result.top = std::min(result.top, y);
            result.bottom = std::max(result.bottom, y);
        }
    result.share = double(covered) / (picture.width * picture.height);
    result.greenShare = covered ? double(green) / covered : 0;
    return result;
}

// Runs the step and reads the picture it wrote.
std::optional<common::RgbaImage> preview(const std::string& model, const std::string& argument,
                                         const std::string& out) {
    const auto run = runProgram(MOLDRIN_BATCH_PATH, {model, "preview=" + out + argument});
    EXPECT_EQ(run.status, 0) << run.err;
    if (run.status != 0)
        return std::nullopt;
    return textures::readImageFile(out);
}

// Why this build or machine cannot render at all (no renderer built in, no OpenGL context);
// empty when it can.
std::string renderingUnavailable(const std::string& model,
                                 const testing_support::TempFolder& folder) {
    const auto run =
        runProgram(MOLDRIN_BATCH_PATH, {model, "preview=" + folder.file("probe.png") + ",8,8"});
    if (run.status == 1 && (run.err.find("no OpenGL renderer") != std::string::npos ||
                            run.err.find("cannot render") != std::string::npos))
        return run.err;
    return "";
}

TEST(MoldrinBatchPreview, TheSampleCubeFillsTheMiddleOfAPictureOfTheAskedSize) {
    testing_support::TempFolder folder;
    const auto model = folder.copyIn(fs::path(MOLDRIN_EXAMPLES_DIR) / "cube.mdl", "cube.mdl");
    if (const auto why = renderingUnavailable(model, folder); !why.empty())
        GTEST_SKIP() << "no OpenGL here: " << why;
    for (const auto& [argument, width, height] :
         {std::tuple{std::string(",160,120"), 160, 120}, {",90,200,-45,60", 90, 200}}) {
        const auto picture = preview(model, argument, folder.file("cube.png"));
        ASSERT_TRUE(picture);
        ASSERT_EQ(picture->width, width);
        ASSERT_EQ(picture->height, height);
        const auto covered = coverageOf(*picture);
        EXPECT_FALSE(isBackground(picture->at(width / 2, height / 2))) << argument;
        for (const auto& [x, y] : {std::pair{0, 0}, {width - 1, 0}, {0, height - 1}})
            EXPECT_TRUE(isBackground(picture->at(x, y))) << argument;
        // Fitted: the cube spans most of the narrower side.
        EXPECT_GT(std::min(covered.right - covered.left, covered.bottom - covered.top),
                  std::min(width, height) / 2)
            << argument;
    }
}

TEST(MoldrinBatchPreview, BadArgumentsAreRefusedAndNothingIsWritten) {
    testing_support::TempFolder folder;
    const auto model = folder.copyIn(fs::path(MOLDRIN_EXAMPLES_DIR) / "cube.mdl", "cube.mdl");
    for (const std::string argument : {",0,10", ",10", ",10,10,5", ",9000,10", ",10,10,a,0"}) {
        const auto run =
            runProgram(MOLDRIN_BATCH_PATH, {model, "preview=" + folder.file("x.png") + argument});
        EXPECT_EQ(run.status, 1) << argument;
        EXPECT_NE(run.err.find("preview"), std::string::npos) << run.err;
        EXPECT_FALSE(fs::exists(folder.file("x.png"))) << argument;
    }
}

TEST(MoldrinBatchPreview, ACorpusModelIsDrawnWithItsTexturesColours) {
    const fs::path corpus = fs::path(MOLDRIN_CORPUS_DIR) / "mdx";
    if (!fs::exists(corpus / "huangzhong.mdx") || !fs::exists(corpus / "huangjung.blp"))
        GTEST_SKIP() << "corpus not found at " << MOLDRIN_CORPUS_DIR;
    // The model converted to MDL in a folder of its own, once with its texture beside it and
    // once without.
    testing_support::TempFolder folder;
    fs::create_directories(folder.path() / "with" / "model");
    fs::create_directories(folder.path() / "without" / "model");
    const auto textured = (folder.path() / "with" / "model" / "huangzhong.mdl").string();
    ASSERT_EQ(runProgram(MOLDRIN_BATCH_PATH,
                         {"--convert", (corpus / "huangzhong.mdx").string(), textured})
                  .status,
              0);
    fs::copy_file(corpus / "huangjung.blp", folder.path() / "with" / "model" / "huangjung.blp");
    const auto plain = (folder.path() / "without" / "model" / "huangzhong.mdl").string();
    fs::copy_file(textured, plain);
    if (const auto why = renderingUnavailable(textured, folder); !why.empty())
        GTEST_SKIP() << "no OpenGL here: " << why;

    const auto picture = preview(textured, ",200,300", folder.file("with.png"));
    ASSERT_TRUE(picture);
    const auto covered = coverageOf(*picture);
    EXPECT_GT(covered.share, 0.03);
    EXPECT_LT(covered.share, 0.6);
    // Centred and fitted.
    EXPECT_NEAR((covered.left + covered.right) / 2.0, 100, 30);
    EXPECT_NEAR((covered.top + covered.bottom) / 2.0, 150, 45);
    EXPECT_GT(covered.bottom - covered.top, 300 * 0.3);
    // The green of the armour comes from the texture: without it the model is grey.
    EXPECT_GT(covered.greenShare, 0.02);
    const auto untextured = preview(plain, ",200,300", folder.file("without.png"));
    ASSERT_TRUE(untextured);
    EXPECT_LT(coverageOf(*untextured).greenShare, 0.005);

    // Seen from behind, the same model covers much the same share of the picture.
    const auto behind = preview(textured, ",200,300,210,15", folder.file("behind.png"));
    ASSERT_TRUE(behind);
    EXPECT_NEAR(coverageOf(*behind).share, covered.share, covered.share * 0.5);
}

TEST(MoldrinBatchPreview, ASequenceAtATimeIsDrawnPosedAndAWrongOneIsAnError) {
    const fs::path corpus = fs::path(MOLDRIN_CORPUS_DIR) / "mdx";
    if (!fs::exists(corpus / "huangzhong.mdx"))
        GTEST_SKIP() << "corpus not found at " << MOLDRIN_CORPUS_DIR;
    testing_support::TempFolder folder;
    const auto model = folder.copyIn(corpus / "huangzhong.mdx", "huangzhong.mdx");
    if (const auto why = renderingUnavailable(model, folder); !why.empty())
        GTEST_SKIP() << "no OpenGL here: " << why;

    // Seen from the side, the hero stands in the bind pose and lies on the ground late in his
    // Death (sequence 3): the same camera, a far lower figure.
    const auto standing = preview(model, ",200,200,90,0", folder.file("bind.png"));
    const auto dead = preview(model, ",200,200,90,0,Death,3000", folder.file("dead.png"));
    const auto byNumber = preview(model, ",200,200,90,0,3,3000", folder.file("three.png"));
    ASSERT_TRUE(standing && dead && byNumber);
    const auto up = coverageOf(*standing), down = coverageOf(*dead);
    EXPECT_GT(down.share, 0.005);
    EXPECT_LT(down.bottom - down.top, (up.bottom - up.top) * 0.6);
    EXPECT_EQ(byNumber->pixels, dead->pixels);

    for (const std::string argument : {",20,20,0,0,Fly,100", ",20,20,0,0,Death,-5",
                                       ",20,20,0,0,Death,soon", ",20,20,0,0,99,0"}) {
        const auto run =
            runProgram(MOLDRIN_BATCH_PATH, {model, "preview=" + folder.file("x.png") + argument});
        EXPECT_EQ(run.status, 1) << argument;
        EXPECT_NE(run.err.find("Error: preview: "), std::string::npos) << run.err;
        EXPECT_FALSE(fs::exists(folder.file("x.png"))) << argument;
    }
}

} // namespace
