// "Done" names the errors the merged model has that its base had not.
#include "merger/merge_result_check.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

const std::string baseText = R"(Version {
	FormatVersion 800,
}
Geoset {
	Vertices 3 {
		{ 0, 0, 0 },
		{ 1, 0, 0 },
		{ 0, 1, 0 },
	}
	Normals 3 {
		{ 0, 0, 1 },
		{ 0, 0, 1 },
		{ 0, 0, 1 },
	}
	TVertices 3 {
		{ 0, 0 },
		{ 1, 0 },
		{ 0, 1 },
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
PivotPoints 1 {
	{ 0, 0, 0 },
}
)";

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    text.replace(text.find(from), from.size(), to);
    return text;
}

TEST(MergeResultCheck, NamesOnlyTheErrorsTheBaseHadNot) {
    testing_support::TempFolder folder;
    // The base already names a material it lacks; the merged model adds a vertex group past
    // its matrix groups.
    const auto base = folder.write("base.mdl", baseText);
    const auto same = folder.write("same.mdl", baseText);
    const auto worse = folder.write(
        "worse.mdl", replaced(baseText, "\t\t0,\n\t\t0,\n\t\t0,\n", "\t\t0,\n\t\t0,\n\t\t5,\n"));
    const auto& source = textures::besideModelOnly();
    EXPECT_EQ(merger::newErrorsNote(base, same, source), "");
    const auto note = merger::newErrorsNote(base, worse, source);
    EXPECT_EQ(note.rfind("The model check finds 1 error in the merged model that the base model "
                         "has not: vertex-group: ",
                         0),
              0u)
        << note;
    EXPECT_EQ(merger::newErrorsNote(base, folder.file("missing.mdl"), source), "");
}

} // namespace
