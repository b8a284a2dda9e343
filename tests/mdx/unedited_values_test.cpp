// A save keeps every value no command changed: the normals, texture coordinates and tangents of
// every binary corpus model read back as the same floats, and in MDL text as the same numbers,
// while a value a command computed is rounded to six places.
#include "corpus_files.h"

#include "common/scripted_dialogs.h"
#include "editor/editing/file_open.h"
#include "editor/editing/file_save.h"
#include "editor/editing/normals.h"
#include "editor/editing/selection_commands.h"
#include "editor/editing/working_copy.h"
#include "editor/interaction/editor_state.h"
#include "formats/mdx/mdx_file.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using mdx_test::corpusFiles;
using mdx_test::readBytes;

// Opens geoset 1 of source, runs edit and saves as target.
void openAndSaveAs(const std::string& source, const std::string& target,
                   const std::function<void(editor::EditorState&)>& edit = {}) {
    common::ScriptedDialogs dialogs;
    editor::EditorState state;
    state.dialogs = &dialogs;
    ASSERT_TRUE(editor::openModelFile(state, source, 1)) << source;
    if (edit)
        edit(state);
    dialogs.setAnswers({target});
    editor::saveAsCommand(state);
    for (const auto& shown : dialogs.shown)
        EXPECT_NE(shown.title, "Error") << shown.text;
    editor::releaseWorkingCopy(state);
}

TEST(UneditedValues, ASaveWithoutEditsKeepsEveryFloatOfEveryBinaryModel) {
    const auto files = corpusFiles(".mdx");
    if (files.empty())
        GTEST_SKIP() << "corpus not found";
    for (const auto& file : files) {
        SCOPED_TRACE(file.string());
        testing_support::TempFolder folder;
        const auto source = folder.copyIn(file, "model.mdx");
        const auto original = mdx::readMdx(readBytes(source));
        if (original.geosets.empty())
            continue;
        for (const char* name : {"saved.mdx", "saved.mdl"}) {
            openAndSaveAs(source, folder.file(name));
            const auto bytes = readBytes(folder.file(name));
            const auto saved = mdx::formatNamedBy(name) == mdx::FileFormat::Mdx
                                   ? mdx::readMdx(bytes)
                                   : mdx::readMdl(bytes);
            ASSERT_EQ(saved.geosets.size(), original.geosets.size()) << name;
            for (std::size_t g = 0; g < original.geosets.size(); ++g) {
                EXPECT_EQ(saved.geosets[g].normals, original.geosets[g].normals) << name << g;
                EXPECT_EQ(saved.geosets[g].uvSets, original.geosets[g].uvSets) << name << g;
                EXPECT_EQ(saved.geosets[g].tangents, original.geosets[g].tangents) << name << g;
            }
        }
    }
}

TEST(UneditedValues, OnlyComputedValuesAreRounded) {
    testing_support::TempFolder folder;
    const auto source = folder.write("model.mdl", R"(Version {
	FormatVersion 800,
}
Geoset {
	Vertices 3 {
		{ 0, 0, 0 },
		{ 1, 0, 0 },
		{ 0, 1, 0 },
	}
	Normals 3 {
		{ -0.0066223145, 0.123456789, 0.99 },
		{ -0.0066223145, 0.123456789, 0.99 },
		{ -0.0066223145, 0.123456789, 0.99 },
	}
	TVertices 3 {
		{ 0.1234567, 0.7654321 },
		{ 0.1234567, 0.7654321 },
		{ 0.1234567, 0.7654321 },
	}
	VertexGroup {
		0,
		0,
		0,
	}
	Faces 1 3 {
		Triangles {
			{ 0, 1, 2 },
		}
	}
	Groups 1 1 {
		Matrices { 0 },
	}
	MinimumExtent { 0, 0, 0 },
	MaximumExtent { 1, 1, 0 },
	BoundsRadius 1,
	MaterialID 0,
	SelectionGroup 0,
}
Bone "Root" {
	ObjectId 0,
}
)");
    openAndSaveAs(source, folder.file("kept.mdl"));
    const auto kept = readBytes(folder.file("kept.mdl"));
    EXPECT_NE(kept.find("{ -0.0066223145, 0.123456789, 0.99 }"), std::string::npos) << kept;
    EXPECT_NE(kept.find("{ 0.1234567, 0.7654321 }"), std::string::npos) << kept;

    // Recalculated normals are computed, and rounded; the texture coordinates are not.
    openAndSaveAs(source, folder.file("computed.mdl"), [](editor::EditorState& state) {
        editor::selectAll(state);
        editor::recalcNormals(state);
    });
    const auto computed = readBytes(folder.file("computed.mdl"));
    EXPECT_EQ(computed.find("-0.0066223145"), std::string::npos) << computed;
    EXPECT_NE(computed.find("{ 0.1234567, 0.7654321 }"), std::string::npos) << computed;
}

} // namespace
