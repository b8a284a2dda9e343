#include "editor/editing/vertex_groups.h"
#include "editor/model/model_nodes.h"

#include "editor/editing/undo_history.h"
#include "support/editing_fixture.h"

#include <gtest/gtest.h>

using editor::undoEntry;
using testing_support::EditingFixture;

namespace {

struct VertexGroupsTest : ::testing::Test, EditingFixture {
    // Vertices in groups 0, 1, 2, 1, 0; the last one deleted.
    VertexGroupsTest() {
        for (int group : {0, 1, 2, 1, 0})
            addVertex(group, 0, 0).vertexGroup = group;
        state.vertices[4].deleted = true;
    }
    std::vector<int> groups() const {
        std::vector<int> result;
        for (const auto& v : state.vertices)
            result.push_back(v.vertexGroup);
        return result;
    }
    std::vector<bool> selection() const {
        std::vector<bool> result;
        for (const auto& v : state.vertices)
            result.push_back(v.selected);
        return result;
    }
    void addGroup(std::initializer_list<int> ids) {
        ++state.groupCount;
        state.matrices.resize(state.groupCount);
        int slot = 1;
        for (int id : ids)
            state.matrices.at(slot++, state.groupCount) = id;
    }
};

TEST_F(VertexGroupsTest, AssignRoundsHalfToEvenAndIncludesDeletedVertices) {
    select({1, 4});
    dialogs.setAnswers({"abc", "40000", "1.5"});
    editor::assignVertexGroupCommand(state);
    EXPECT_EQ(dialogs.prompts.size(), 3u); // a non-number and an out-of-range number ask again
    EXPECT_EQ(dialogs.inputs[2].prompt, "Vertex group");
    EXPECT_EQ(dialogs.inputs[2].title, "Assign Vertex Group");
    EXPECT_EQ(dialogs.inputs[2].defaultText, "0");
    EXPECT_EQ(groups(), (std::vector<int>{0, 2, 2, 1, 2}));
    EXPECT_EQ(undoEntry(state, 1).name(), "Assign Vertex Group");
    EXPECT_EQ(undoEntry(state, 1).savedVertices[1].vertexGroup, 1);
    editor::finishCommand(state);
    EXPECT_EQ(state.redrawCount, 0); // nothing drawn has changed

    dialogs.setAnswers({"2.5"});
    editor::assignVertexGroupCommand(state);
    EXPECT_EQ(state.vertices[1].vertexGroup, 2);
    dialogs.setAnswers({"-1"}); // no geoset has a negative group
    editor::assignVertexGroupCommand(state);
    EXPECT_EQ(state.vertices[1].vertexGroup, 2);
}

TEST_F(VertexGroupsTest, AssignCancelledChangesNothingAndEmptySelectionStillRecords) {
    select({0});
    dialogs.setAnswers({""});
    editor::assignVertexGroupCommand(state);
    EXPECT_TRUE(state.undoHistory.empty());
    EXPECT_EQ(groups(), (std::vector<int>{0, 1, 2, 1, 0}));

    select({});
    dialogs.setAnswers({"7"});
    editor::assignVertexGroupCommand(state);
    EXPECT_EQ(undoEntry(state, 1).name(), "Assign Vertex Group");
    EXPECT_EQ(groups(), (std::vector<int>{0, 1, 2, 1, 0}));
}

TEST(VertexGroupListTest, ListsWithACommaAndAnAnd) {
    EXPECT_EQ(editor::vertexGroupListText({3}), "3");
    EXPECT_EQ(editor::vertexGroupListText({0, 2}), "0, and 2");
    EXPECT_EQ(editor::vertexGroupListText({0, 1, 4}), "0, 1, and 4");
    EXPECT_EQ(editor::vertexGroupListText({-3, 0, 1, 4}), "-3, 0, 1, and 4");
}

TEST_F(VertexGroupsTest, GroupOfSelectionNamesEachGroupOnceInOrder) {
    select({2, 0, 3, 1});
    editor::vertexGroupOfSelectionCommand(state);
    select({4, 2}); // a deleted vertex still counts
    editor::vertexGroupOfSelectionCommand(state);
    select({1, 3});
    editor::vertexGroupOfSelectionCommand(state);
    select({});
    editor::vertexGroupOfSelectionCommand(state);
    ASSERT_EQ(dialogs.shown.size(), 4u);
    EXPECT_EQ(dialogs.shown[0].text, "Vertex group(s) 0, 1, and 2 were selected.");
    EXPECT_EQ(dialogs.shown[1].text, "Vertex group(s) 0, and 2 were selected.");
    EXPECT_EQ(dialogs.shown[2].text, "Vertex group(s) 1 were selected.");
    EXPECT_EQ(dialogs.shown[3].text, "No vertex groups in selection");
    for (const auto& shown : dialogs.shown)
        EXPECT_EQ(shown.title, "");
    EXPECT_TRUE(state.undoHistory.empty());
}

TEST_F(VertexGroupsTest, SelectByGroupFollowsTheSelectionMode) {
    select({1, 2, 4});
    dialogs.setAnswers({"", "x", "0"}); // Cancel is no way out
    editor::selectByVertexGroupCommand(state);
    EXPECT_EQ(dialogs.prompts.size(), 3u);
    EXPECT_EQ(dialogs.inputs[2].prompt, "Vertex group to select");
    EXPECT_EQ(dialogs.inputs[2].title, "");
    EXPECT_EQ(dialogs.inputs[2].defaultText, "");
    // Mode S: exactly the live vertices of group 0; the deleted one is deselected too.
    EXPECT_EQ(selection(), (std::vector<bool>{true, false, false, false, false}));
    editor::finishCommand(state);
    EXPECT_EQ(state.redrawCount, 1);
    EXPECT_TRUE(state.undoHistory.empty());

    state.selectionMode = "A";
    dialogs.setAnswers({"1.4"});
    editor::selectByVertexGroupCommand(state);
    EXPECT_EQ(selection(), (std::vector<bool>{true, true, false, true, false}));

    state.selectionMode = "D";
    state.vertices[2].selected = true;
    dialogs.setAnswers({"0.5"}); // rounds to 0
    editor::selectByVertexGroupCommand(state);
    EXPECT_EQ(selection(), (std::vector<bool>{false, true, true, true, false}));
}

TEST_F(VertexGroupsTest, ViewMatricesListsFiveIdsPerGroup) {
    editor::viewMatricesCommand(state);
    EXPECT_TRUE(dialogs.shown.empty()); // no groups, no message

    addGroup({-1});
    addGroup({3, 5, 6});
    addGroup({1, 2, 3, 4, 5, 6, 7});
    editor::viewMatricesCommand(state);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "Matrices");
    EXPECT_EQ(dialogs.shown[0].text, "0: -1\r\n1: 3, 5, 6\r\n2: 1, 2, 3, 4, 5\r\n");
}

TEST_F(VertexGroupsTest, ViewMatricesPagesOnceAPagePasses300Characters) {
    // "k: 1000, 1001, 1002, 1003, 1004" and CR LF: 33 characters for k < 10, 34 from 10 on.
    for (int g = 0; g < 19; ++g)
        addGroup({1000, 1001, 1002, 1003, 1004});
    editor::viewMatricesCommand(state);
    // Ten lines (330 characters) make the first page; nine more (306) pass 300 exactly with
    // the last group, so no further message follows.
    ASSERT_EQ(dialogs.shown.size(), 2u);
    const auto& first = dialogs.shown[0].text;
    EXPECT_EQ(first.size(), 330u + 12u);
    EXPECT_TRUE(first.starts_with("0: 1000, 1001, 1002, 1003, 1004\r\n1: "));
    EXPECT_TRUE(first.ends_with("9: 1000, 1001, 1002, 1003, 1004\r\nNext page..."));
    const auto& second = dialogs.shown[1].text;
    EXPECT_TRUE(second.starts_with("10: "));
    EXPECT_TRUE(second.ends_with("18: 1000, 1001, 1002, 1003, 1004\r\nNext page..."));

    // One more group is left over on a short last page.
    addGroup({7});
    editor::viewMatricesCommand(state);
    ASSERT_EQ(dialogs.shown.size(), 5u);
    EXPECT_EQ(dialogs.shown[4].text, "19: 7\r\n");
}

TEST_F(VertexGroupsTest, AddMatrixWithOneIdThenCancel) {
    addGroup({4});
    dialogs.setAnswers({"1.5", ""});
    editor::addMatrixCommand(state);
    ASSERT_EQ(dialogs.prompts.size(), 2u);
    EXPECT_EQ(dialogs.prompts[0], "Control bone 1\r\nClick cancel to stop adding control bones.");
    EXPECT_EQ(dialogs.prompts[1], "Control bone 2\r\nClick cancel to stop adding control bones.");
    EXPECT_EQ(dialogs.inputs[0].title, "New Matrix");
    EXPECT_EQ(dialogs.inputs[0].defaultText, "");
    EXPECT_EQ(state.groupCount, 2);
    EXPECT_EQ(state.matrices.columnCount(), 2);
    EXPECT_EQ(state.matrices.at(1, 1), 4);
    EXPECT_EQ(state.matrices.at(1, 2), 2);
    for (int slot = 2; slot <= editor::matrixSlots; ++slot)
        EXPECT_EQ(state.matrices.at(slot, 2), -1);
    EXPECT_TRUE(state.undoHistory.empty());
}

TEST_F(VertexGroupsTest, AddMatrixStopsAfterFiveIdsAndAddsNothingWhenCancelledAtOnce) {
    dialogs.setAnswers({""});
    editor::addMatrixCommand(state);
    EXPECT_EQ(state.groupCount, 0);

    dialogs.setAnswers({"1", "bone", "99999", "2", "3", "4", "-5", "6"});
    editor::addMatrixCommand(state);
    EXPECT_EQ(dialogs.prompts.size(), 1u + 7u);
    EXPECT_EQ(state.groupCount, 1);
    const int expected[] = {1, 2, 3, 4, -5, -1, -1};
    for (int slot = 1; slot <= editor::matrixSlots; ++slot)
        EXPECT_EQ(state.matrices.at(slot, 1), expected[slot - 1]);
    EXPECT_EQ(dialogs.answers.size(), 1u); // the sixth id was never asked for
}

} // namespace

namespace {

TEST_F(VertexGroupsTest, AssignRefusesAGroupTheGeosetDoesNotHave) {
    addGroup({4});
    addGroup({5});
    select({0});
    for (const char* answer : {"2", "-1"}) {
        dialogs.shown.clear();
        dialogs.setAnswers({answer});
        editor::assignVertexGroupCommand(state);
        ASSERT_EQ(dialogs.shown.size(), 1u) << answer;
        EXPECT_EQ(dialogs.shown[0].title, "Error");
        EXPECT_EQ(dialogs.shown[0].text.rfind("There is no vertex group ", 0), 0u);
        EXPECT_EQ(groups(), (std::vector<int>{0, 1, 2, 1, 0}));
        EXPECT_TRUE(state.undoHistory.empty());
    }
    dialogs.setAnswers({"1"});
    editor::assignVertexGroupCommand(state);
    EXPECT_EQ(groups(), (std::vector<int>{1, 1, 2, 1, 0}));
}

TEST_F(VertexGroupsTest, AddMatrixStopsAt256GroupsAndAtUnknownNodes) {
    for (int g = 0; g < editor::maxMatrixGroups; ++g)
        addGroup({0});
    dialogs.setAnswers({"0"});
    editor::addMatrixCommand(state);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "Error");
    EXPECT_EQ(state.groupCount, editor::maxMatrixGroups);

    mdx::Model model;
    model.bones.resize(1);
    model.bones[0].node.objectId = 3;
    model.helpers.resize(1);
    model.helpers[0].node.objectId = 12;
    model.attachments.resize(1);
    model.attachments[0].node.objectId = 9;
    EXPECT_EQ(editor::nodeObjectIds(model), (std::set<int>{3, 9, 12}));
}

} // namespace
