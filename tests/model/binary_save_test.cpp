// Saving a binary model makes the edited geoset's numbers straight into the model known from
// the last open or save, without writing and reading its text. These tests hold that shortcut
// to what writing and reading the saved text gives, bit for bit, on random numbers and on random
// edits of binary models.

#include "model_fixture.h"
#include "random_edits.h"

#include "common/number_text.h"
#include "common/text_file.h"
#include "editor/editing/file_save.h"
#include "editor/model/binary_geoset.h"
#include "editor/model/model_writer.h"
#include "formats/mdx/float_text.h"
#include "formats/mdx/mdx_file.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <filesystem>
#include <limits>
#include <random>

namespace {

using model_test::editAtRandom;
using model_test::Editor;
using model_test::fixture;
using testing_support::readFile;

// The float the text of value reads as, the long way: written, then read.
std::optional<float> floatOfText(double value) {
    return mdx::parseFloat(common::formatNumber(value));
}

void expectSameFloat(double value) {
    const auto fast = editor::savedFloat(value);
    const auto slow = floatOfText(value);
    ASSERT_EQ(fast.has_value(), slow.has_value()) << common::formatNumber(value);
    if (fast) {
        ASSERT_EQ(std::bit_cast<std::uint32_t>(*fast), std::bit_cast<std::uint32_t>(*slow))
            << common::formatNumber(value) << " (" << value << ")";
    }
}

TEST(SavedFloat, IsTheFloatTheWrittenTextReadsAs) {
    std::mt19937_64 random(20261209);
    std::uniform_real_distribution<double> exponent(-40, 40);
    std::uniform_int_distribution<long long> sixPlaces(-100'000'000'000LL, 100'000'000'000LL);
    std::uniform_int_distribution<std::uint32_t> floatBits(0, 0x7F7FFFFFu);
    std::uniform_int_distribution<int> nudge(-4, 4);
    for (int i = 0; i < 300'000; ++i) {
        const double sign = (i & 1) ? -1.0 : 1.0;
        // Any magnitude, far past both ends of the float range.
        expectSameFloat(sign * std::pow(10.0, exponent(random)));
        // Six-place decimals, as rounded normals and texture coordinates are.
        expectSameFloat(common::roundHalfEven(static_cast<double>(sixPlaces(random)) / 1e6, 6));
        // Points halfway between two floats, and a few doubles either side of them: the text of
        // these can round the other way from the value.
        const float f = std::bit_cast<float>(floatBits(random));
        const double halfway =
            (static_cast<double>(f) + static_cast<double>(std::nextafter(f, HUGE_VALF))) / 2;
        double near = halfway;
        for (int k = nudge(random); k != 0; k += k > 0 ? -1 : 1)
            near = std::nextafter(near, k > 0 ? HUGE_VAL : -HUGE_VAL);
        expectSameFloat(sign * halfway);
        expectSameFloat(sign * near);
        expectSameFloat(sign * static_cast<double>(f));
    }
    for (double special :
         {0.0, -0.0, 1e-45, 1.4e-45, 1e-38, 3.4028234663852886e38, 3.4028235677973366e38, 3.5e38,
          1e39, std::numeric_limits<double>::max(), std::numeric_limits<double>::denorm_min(),
          std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
          std::numeric_limits<double>::quiet_NaN()}) {
        expectSameFloat(special);
        expectSameFloat(-special);
    }
}

// Random edits of geoset n of the binary model at path, each saved: the model made from the
// arrays equals the one the saved text reads as, and so does the file Save writes.
void checkRandomEdits(const std::string& path, int geoset, unsigned seed, int rounds) {
    Editor e;
    ASSERT_TRUE(editor::openModelFile(e.state, path, geoset)) << path;
    std::mt19937 random(seed);
    for (int round = 0; round < rounds; ++round) {
        editAtRandom(e.state, random);
        if (editor::savingRemovesGeoset(e.state))
            return;
        const std::string copy = readFile(e.state.tempPath);
        common::TextBuffer saved;
        editor::writeModelFromText(copy, e.state, false, saved);
        const std::string expected = mdx::writeMdx(mdx::readMdl(saved.text));

        const auto known = e.state.document;
        ASSERT_TRUE(known && known->modelKnown())
            << path << ": no model known after round " << round;
        ASSERT_EQ(known->text(), copy);
        const auto made = editor::savedBinaryModel(known.get(), e.state);
        const auto& base = known->model()->geosets.at(static_cast<std::size_t>(geoset - 1));
        const bool ownFaceGroups = base.faceTypes.size() != 1 || known->faceGroupComments();
        if (!ownFaceGroups) {
            ASSERT_TRUE(made) << path << " geoset " << geoset << ", round " << round;
        }
        if (made) {
            ASSERT_TRUE(mdx::writeMdx(*made) == expected)
                << path << " geoset " << geoset << ", round " << round;
        }

        editor::saveCommand(e.state);
        ASSERT_TRUE(e.dialogs.shown.empty()) << e.dialogs.shown[0].text;
        ASSERT_TRUE(readFile(path) == expected) << path << ", round " << round;
        // The working copy is the saved text, and what it reads as is known for the next save.
        ASSERT_TRUE(e.state.document && e.state.document->modelKnown());
        EXPECT_EQ(e.state.document->text(), readFile(e.state.tempPath));
    }
}

TEST(SavedBinaryModel, EqualsReadingTheSavedTextAfterRandomEdits) {
    testing_support::TempFolder folder;
    const auto bytes = mdx::writeMdx(mdx::readMdl(fixture("six_vertices.mdl")));
    // A file each: an editor's working copy stays beside its model.
    for (unsigned seed = 1; seed <= 20; ++seed)
        checkRandomEdits(folder.write("six" + std::to_string(seed) + ".mdx", bytes), 1, seed, 4);
}

TEST(SavedBinaryModel, EqualsReadingTheSavedTextOnRealModels) {
    const auto corpus = std::filesystem::path(MOLDRIN_CORPUS_DIR);
    if (!std::filesystem::exists(corpus / "mdx"))
        GTEST_SKIP() << "corpus not found at " << MOLDRIN_CORPUS_DIR;
    testing_support::TempFolder folder;
    std::vector<std::filesystem::path> models;
    for (const auto& entry : std::filesystem::directory_iterator(corpus / "mdx"))
        if (entry.path().extension() == ".mdx")
            models.push_back(entry.path());
    models.push_back(corpus / "reforged" / "palisade_segment_v1000.mdx");
    unsigned seed = 100;
    for (const auto& model : models) {
        const auto bytes = readFile(model.string());
        const auto geosets = mdx::readMdx(bytes).geosets.size();
        for (std::size_t n = 1; n <= geosets; ++n) {
            const auto path =
                folder.write(model.stem().string() + std::to_string(n) + ".mdx", bytes);
            checkRandomEdits(path, static_cast<int>(n), ++seed, 2);
        }
    }
}

} // namespace
