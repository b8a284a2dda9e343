// Convert Format Version in the editor: the whole model converted as one step, the history
// cleared, the edited geoset read again; the same version, a cancelled pick
// and a declined question change nothing.

#include "model_fixture.h"

#include "common/text_file.h"
#include "editor/editing/file_open.h"
#include "editor/editing/file_save.h"
#include "editor/editing/format_version_command.h"
#include "editor/editing/undo_command.h"
#include "editor/model/model_document.h"
#include "formats/mdx/model_conversion.h"
#include "support/reforged_version.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

using model_test::Editor;
using model_test::fixture;

const std::filesystem::path reforgedSample =
    std::filesystem::path(MOLDRIN_CORPUS_DIR) / "reforged" / "palisade_segment_v1000.mdl";

std::uint32_t versionOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    const auto read = mdx::readModelFile(bytes);
    EXPECT_TRUE(read.ok()) << path;
    return read.model.version;
}

// Opens the model and converts it to 800 with the answers given: the pick, the question.
void expectConvertedTo800(Editor& e) {
    e.state.vertices[0].x += 1; // an edit of the arrays, kept by the conversion
    e.state.unsavedChanges = true;
    const auto edited = e.state.vertices[0].x;
    e.dialogs.setAnswers({"1"});
    const auto converted = editor::convertFormatVersionCommand(e.state);
    ASSERT_TRUE(converted);
    EXPECT_EQ(e.errorCount(), 0);
    EXPECT_EQ(converted->to, 800u);
    EXPECT_EQ(e.state.document->model()->version, 800u);
    EXPECT_FALSE(e.state.extras.tangents);
    EXPECT_FALSE(e.state.extras.skinWeights);
    EXPECT_DOUBLE_EQ(e.state.vertices[0].x, edited);
    EXPECT_TRUE(e.state.unsavedChanges);
    EXPECT_TRUE(e.state.undoHistory.empty());
    ASSERT_FALSE(e.dialogs.shown.empty());
    EXPECT_EQ(e.dialogs.shown.back().title, "Convert Format Version");
    EXPECT_EQ(e.dialogs.inputs.back().prompt,
              "Convert the model from FormatVersion " + std::to_string(converted->from) + " to:");
}

TEST(FormatVersionCommand, ConvertsAReforgedModelTo800) {
    {
        Editor e;
        e.openText("six.mdl", testing_support::reforgedVersion(fixture("six_vertices.mdl")));
        ASSERT_TRUE(e.state.extras.skinWeights);
        expectConvertedTo800(e);
        editor::saveCommand(e.state);
        EXPECT_EQ(versionOf(e.state.modelPath), 800u);
    }
    if (!std::filesystem::exists(reforgedSample))
        GTEST_SKIP() << "corpus not found at " << MOLDRIN_CORPUS_DIR;
    Editor e;
    e.open(e.folder.copyIn(reforgedSample, "palisade.mdl"));
    ASSERT_TRUE(e.state.extras.tangents);
    expectConvertedTo800(e);
}

TEST(FormatVersionCommand, DeclinedCancelledOrSameVersionChangesNothing) {
    struct Case {
        const char* name;
        std::string pick;
        common::MessageAnswer answer;
        int errors;
    };
    const Case cases[] = {
        {"declined", "2", common::MessageAnswer::No, 0},
        {"same version", "1", common::MessageAnswer::Yes, 0},
        {"cancelled pick", "", common::MessageAnswer::Yes, 0},
    };
    for (const auto& c : cases) {
        Editor e;
        e.openText("six.mdl", fixture("six_vertices.mdl"));
        const auto document = e.state.document;
        e.dialogs.setAnswers({c.pick});
        e.dialogs.yesNoAnswers = {c.answer};
        EXPECT_FALSE(editor::convertFormatVersionCommand(e.state)) << c.name;
        EXPECT_EQ(e.errorCount(), c.errors) << c.name;
        EXPECT_EQ(e.state.document, document) << c.name;
        EXPECT_FALSE(e.state.unsavedChanges) << c.name;
    }
}

TEST(FormatVersionCommand, SaveAsWithAVersionEntryConvertsFirst) {
    Editor e;
    e.openText("six.mdl", fixture("six_vertices.mdl"));
    const std::string filter = editor::modelSaveAsFilter(mdx::FileFormat::Mdl);
    // Entry 3 is "Warcraft III MDX, FormatVersion 1000|*.mdx"; declined, nothing is saved.
    ASSERT_EQ(common::filterExtension(filter, 3), ".mdx");
    ASSERT_EQ(editor::saveAsEntryVersion(3), 1000u);
    e.dialogs.setAnswers({e.folder.file("hd")});
    e.dialogs.saveFilterEntries = {3};
    e.dialogs.yesNoAnswers = {common::MessageAnswer::No};
    editor::saveAsCommand(e.state);
    EXPECT_FALSE(std::filesystem::exists(e.folder.file("hd.mdx")));
    EXPECT_EQ(editor::heldDocument(e.state)->model()->version, 800u);

    e.dialogs.setAnswers({e.folder.file("hd")});
    e.dialogs.saveFilterEntries = {3};
    editor::saveAsCommand(e.state);
    EXPECT_EQ(e.errorCount(), 0);
    EXPECT_EQ(e.state.modelPath, e.folder.file("hd.mdx"));
    EXPECT_EQ(versionOf(e.folder.file("hd.mdx")), 1000u);
    EXPECT_FALSE(e.state.unsavedChanges);
}

} // namespace
