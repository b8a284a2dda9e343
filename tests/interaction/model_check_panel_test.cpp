// Tools > Check Model…: the rows of the whole model's check, what a double-click on one selects,
// and the tip after a save.
#include "editor/editing/file_open.h"
#include "editor/editing/undo_history.h"
#include "editor/interaction/model_check_panel.h"
#include "editor/interaction/save_check_tip.h"
#include "support/editing_fixture.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using testing_support::EditingFixture;
using testing_support::TempFolder;

// A geoset of five vertices and three triangles on bone 0; the last vertex's group is given.
std::string geosetText(int lastGroup) {
    return "Geoset {\n"
           "\tVertices 5 {\n"
           "\t\t{ 0, 0, 0 },\n\t\t{ 10, 0, 0 },\n\t\t{ 10, 10, 0 },\n\t\t{ 0, 10, 0 },\n"
           "\t\t{ 5, 5, 10 },\n"
           "\t}\n"
           "\tNormals 5 {\n"
           "\t\t{ 0, 0, 1 },\n\t\t{ 0, 0, 1 },\n\t\t{ 0, 0, 1 },\n\t\t{ 0, 0, 1 },\n"
           "\t\t{ 0, 0, 1 },\n"
           "\t}\n"
           "\tTVertices 5 {\n"
           "\t\t{ 0, 0 },\n\t\t{ 1, 0 },\n\t\t{ 1, 1 },\n\t\t{ 0, 1 },\n\t\t{ 0.5, 0.5 },\n"
           "\t}\n"
           "\tVertexGroup {\n\t\t0,\n\t\t0,\n\t\t0,\n\t\t0,\n\t\t" +
           std::to_string(lastGroup) +
           ",\n\t}\n"
           "\tFaces 1 9 {\n\t\tTriangles {\n\t\t\t{ 0, 1, 2, 0, 2, 3, 1, 2, 4 },\n\t\t}\n\t}\n"
           "\tGroups 1 1 {\n\t\tMatrices { 0 },\n\t}\n"
           "\tMinimumExtent { 0, 0, 0 },\n\tMaximumExtent { 10, 10, 10 },\n"
           "\tBoundsRadius 8.6603,\n"
           "\tMaterialID 0,\n\tSelectionGroup 0,\n"
           "}\n";
}

// A model of two such geosets whose check finds nothing, unless the last vertex of a geoset is
// put in a group past its one matrix group.
struct ModelText {
    int firstLastGroup = 0;
    int secondLastGroup = 0;
    std::string extra; // more top-level blocks, before the bone
    bool pivots = true;
    bool unusedTexture = false;
};

ModelText lastGroups(int first, int second) {
    ModelText m;
    m.firstLastGroup = first;
    m.secondLastGroup = second;
    return m;
}

std::string modelText(const ModelText& m) {
    return "Version {\n\tFormatVersion 800,\n}\n"
           "Model \"Check\" {\n\tNumGeosets 2,\n\tNumBones 1,\n\tBlendTime 150,\n"
           "\tMinimumExtent { 0, 0, 0 },\n\tMaximumExtent { 10, 10, 10 },\n"
           "\tBoundsRadius 8.6603,\n}\n"
           "Textures " +
           std::string(m.unusedTexture ? "2" : "1") +
           " {\n\tBitmap {\n\t\tImage \"\",\n\t\tReplaceableId 1,\n\t}\n" +
           (m.unusedTexture ? "\tBitmap {\n\t\tImage \"\",\n\t\tReplaceableId 2,\n\t}\n" : "") +
           "}\n"
           "Materials 1 {\n\tMaterial {\n\t\tLayer {\n\t\t\tFilterMode None,\n"
           "\t\t\tstatic TextureID 0,\n\t\t}\n\t}\n}\n" +
           geosetText(m.firstLastGroup) + geosetText(m.secondLastGroup) + m.extra +
           "Bone \"Root\" {\n\tObjectId 0,\n\tGeosetId Multiple,\n\tGeosetAnimId None,\n}\n" +
           (m.pivots ? "PivotPoints 1 {\n\t{ 0, 0, 0 },\n}\n" : "");
}

struct OpenModel {
    TempFolder folder;
    EditingFixture f;
    explicit OpenModel(const ModelText& m, int geoset = 1) {
        const auto path = folder.write("check.mdl", modelText(m));
        EXPECT_TRUE(editor::openModelFile(f.state, path, geoset));
        f.dialogs.shown.clear();
        f.state.changes = {};
    }
    const editor::CheckRow* row(const std::string& rule) const {
        const auto& rows = f.state.checkPanel.rows;
        const auto found = std::find_if(rows.begin(), rows.end(),
                                        [&](const editor::CheckRow& r) { return r.rule == rule; });
        return found == rows.end() ? nullptr : &*found;
    }
    int rowIndex(const std::string& rule) const {
        const auto* found = row(rule);
        return found ? static_cast<int>(found - f.state.checkPanel.rows.data()) : -1;
    }
    std::vector<int> selected() const {
        std::vector<int> out;
        for (std::size_t i = 0; i < f.state.vertices.size(); ++i)
            if (f.state.vertices[i].selected)
                out.push_back(static_cast<int>(i));
        return out;
    }
};

TEST(ModelCheckPanel, ACleanModelHasNoRows) {
    OpenModel m(ModelText{});
    editor::runModelCheck(m.f.state);
    EXPECT_TRUE(m.f.state.checkPanel.rows.empty());
    EXPECT_EQ(m.f.state.checkPanel.summary, "No problems found.");
}

TEST(ModelCheckPanel, AProblemInTheEditedGeosetSelectsItsVerticesAsTheArraysNumberThem) {
    OpenModel m(lastGroups(1, 0));
    auto& s = m.f.state;
    // Vertex 0 deleted: the checked geoset numbers the bad vertex 3, the arrays 4.
    s.vertices[0].deleted = true;
    s.vertices[1].selected = true;
    editor::runModelCheck(s);
    EXPECT_EQ(s.checkPanel.summary, "1 error, 0 warnings, 0 notes");
    const auto* row = m.row("vertex-group");
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->severityText, "Error");
    EXPECT_EQ(row->geoset, 1);
    EXPECT_FALSE(row->hasCertainFix);
    EXPECT_NE(row->message.find("vertex 3"), std::string::npos) << row->message;

    editor::selectCheckRow(s, m.rowIndex("vertex-group"));
    EXPECT_EQ(m.selected(), std::vector<int>{4});
    EXPECT_TRUE(s.changes.has(editor::Change::Selection));
    EXPECT_TRUE(editor::undoEntry(s, 1).used);
    EXPECT_EQ(s.checkPanel.status, "Selected 1 vertex of geoset 1.");
}

TEST(ModelCheckPanel, AProblemInAnotherGeosetOrAnOutdatedCheckChangesNothing) {
    OpenModel m(lastGroups(0, 1));
    auto& s = m.f.state;
    s.vertices[1].selected = true;
    editor::runModelCheck(s);
    const auto* row = m.row("vertex-group");
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->geoset, 2);
    EXPECT_TRUE(row->vertices.empty());

    editor::selectCheckRow(s, m.rowIndex("vertex-group"));
    EXPECT_EQ(m.selected(), std::vector<int>{1});
    EXPECT_FALSE(s.changes.any());
    EXPECT_FALSE(editor::undoEntry(s, 1).used);
    EXPECT_EQ(s.checkPanel.status,
              "Geoset 2 is not the edited geoset; switch to it with Switch Geoset.");

    // Geoset 2 opened after the check: the row's vertices were not numbered for its arrays.
    ASSERT_TRUE(editor::openModelFile(s, s.modelPath, 2));
    editor::finishCommand(s);
    editor::selectCheckRow(s, m.rowIndex("vertex-group"));
    EXPECT_TRUE(m.selected().empty());
    EXPECT_FALSE(s.changes.any());
    EXPECT_EQ(s.checkPanel.status, "The check is out of date; press Check Again.");
    editor::runModelCheck(s);
    editor::selectCheckRow(s, m.rowIndex("vertex-group"));
    EXPECT_EQ(m.selected(), std::vector<int>{4});
}

TEST(ModelCheckPanel, ErrorsComeFirstAndEachRowKnowsWhetherItsRuleHasACertainFix) {
    // The table lists geoset-anim-twice (a warning) before pivot-count (an error).
    ModelText text;
    text.extra = "GeosetAnim {\n\tGeosetId 0,\n}\nGeosetAnim {\n\tGeosetId 0,\n}\n";
    text.pivots = false;
    text.unusedTexture = true;
    OpenModel m(text);
    auto& s = m.f.state;
    editor::runModelCheck(s);
    std::vector<std::string> rules;
    for (const auto& row : s.checkPanel.rows)
        rules.push_back(row.severityText + " " + row.rule + (row.hasCertainFix ? " fix" : ""));
    EXPECT_EQ(rules, (std::vector<std::string>{"Error pivot-count", "Warning geoset-anim-twice",
                                               "Note unused fix"}));
    EXPECT_EQ(s.checkPanel.summary, "1 error, 1 warning, 1 note");

    // A row that names no vertex selects nothing.
    s.changes = {};
    editor::selectCheckRow(s, 0);
    EXPECT_FALSE(s.changes.any());
    EXPECT_EQ(s.checkPanel.status, "This problem names no vertex to select.");
}

TEST(ModelCheckPanel, ASavedModelWithErrorsGetsATipOnlyWhileTipsAreEnabled) {
    for (const bool tips : {false, true}) {
        OpenModel m(lastGroups(0, 1));
        auto& s = m.f.state;
        s.tipsEnabled = tips;
        s.unsavedChanges = true;
        editor::saveWithCheckTip(s);
        EXPECT_FALSE(s.unsavedChanges) << "saved";
        EXPECT_TRUE(m.f.dialogs.shown.empty()) << "no message box";
        EXPECT_EQ(s.txtTipsText,
                  tips ? "The saved model has 1 error the game may fail on; Tools > Check "
                         "Model… lists it."
                       : "");
    }
    EXPECT_EQ(editor::savedModelErrorsTip(2),
              "The saved model has 2 errors the game may fail on; Tools > Check Model… lists "
              "them.");
}

} // namespace
