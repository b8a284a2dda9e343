#include "editor/editing/markers.h"
#include "editor/interaction/window_controls.h"

#include "editor/model/marker_slots.h"
#include "support/editing_fixture.h"

#include <gtest/gtest.h>

using testing_support::EditingFixture;

namespace {

struct MarkersTest : ::testing::Test, EditingFixture {
    const editor::MarkerRecord& marker(int slot) const {
        return state.markers[static_cast<std::size_t>(slot)];
    }
    std::vector<int> usedSlots() const {
        std::vector<int> used;
        for (int slot = 0; slot <= editor::markerSlots; ++slot)
            if (marker(slot).used)
                used.push_back(slot);
        return used;
    }
    void addMarkerAt(double z, double x, double y) {
        dialogs.setAnswers({std::to_string(z), std::to_string(x), std::to_string(y)});
        editor::addMarkerCommand(state);
        editor::finishCommand(state);
    }
};

TEST_F(MarkersTest, AddMarkerAsksInFileOrderAndAsksAgainForNonNumbers) {
    dialogs.setAnswers({"1", "two", "2", "3"});
    const auto redraws = state.redrawCount;
    editor::addMarkerCommand(state);
    EXPECT_EQ(dialogs.prompts, (std::vector<std::string>{"Z (front/back)", "X (left/right)",
                                                         "X (left/right)", "Y (up/down)"}));
    for (const auto& asked : dialogs.inputs) {
        EXPECT_EQ(asked.title, "Add marker");
        EXPECT_EQ(asked.defaultText, "0");
    }
    EXPECT_EQ(usedSlots(), std::vector<int>{1});
    EXPECT_EQ(marker(1).x, 2);
    EXPECT_EQ(marker(1).y, 3);
    EXPECT_EQ(marker(1).z, 1);
    editor::finishCommand(state);
    EXPECT_EQ(state.redrawCount, redraws + 1);
    EXPECT_TRUE(state.undoHistory.empty()); // markers take no part in undo
}

TEST_F(MarkersTest, TwentySlotsThenTheLastIsReplaced) {
    for (int k = 1; k <= 20; ++k)
        addMarkerAt(k, 0, 0);
    EXPECT_EQ(usedSlots().size(), 20u);
    EXPECT_EQ(usedSlots().front(), 1);
    EXPECT_EQ(marker(20).z, 20);
    EXPECT_EQ(editor::nextMarkerSlot(state), 20);

    addMarkerAt(21, 0, 0);
    EXPECT_EQ(usedSlots().size(), 20u);
    EXPECT_EQ(marker(20).z, 21);
    EXPECT_EQ(marker(19).z, 19);

    editor::removeLastMarkerCommand(state);
    EXPECT_FALSE(marker(20).used);
    EXPECT_EQ(usedSlots().size(), 19u);
    addMarkerAt(22, 0, 0);
    EXPECT_TRUE(marker(20).used);
    EXPECT_EQ(marker(20).z, 22);
}

TEST_F(MarkersTest, NewMarkersFillTheLowestFreeSlot) {
    addMarkerAt(1, 0, 0);
    addMarkerAt(2, 0, 0);
    state.markers[1].used = false;
    EXPECT_EQ(editor::nextMarkerSlot(state), 1);
    editor::addMarkerAtSelectionCommand(state);
    EXPECT_EQ(usedSlots(), (std::vector<int>{1, 2}));
}

TEST_F(MarkersTest, RemovingMarkersAlwaysRedraws) {
    editor::removeLastMarkerCommand(state);
    editor::finishCommand(state);
    EXPECT_EQ(state.redrawCount, 1);
    addMarkerAt(1, 0, 0);
    addMarkerAt(2, 0, 0);
    editor::removeAllMarkersCommand(state);
    EXPECT_TRUE(usedSlots().empty());
    editor::finishCommand(state);
    EXPECT_EQ(state.redrawCount, 4);
}

TEST_F(MarkersTest, MarkerAtSelectionGoesToTheCentreOrTheOrigin) {
    addVertex(1, 2, 3, true);
    addVertex(3, 2, 5, true);
    addVertex(100, 100, 100, true).deleted = true; // deleted vertices do not count
    editor::addMarkerAtSelectionCommand(state);
    EXPECT_EQ(marker(1).x, 2);
    EXPECT_EQ(marker(1).y, 2);
    EXPECT_EQ(marker(1).z, 4);

    select({});
    editor::addMarkerAtSelectionCommand(state);
    EXPECT_TRUE(marker(2).used);
    EXPECT_EQ(marker(2).x, 0);
    EXPECT_EQ(marker(2).y, 0);
    EXPECT_EQ(marker(2).z, 0);
}

TEST_F(MarkersTest, CancelAtAnyQuestionAddsNoMarker) {
    for (std::size_t cancelAt = 0; cancelAt < 3; ++cancelAt) {
        std::deque<std::string> answers{"1", "2", "3"};
        answers[cancelAt] = "";
        dialogs.setAnswers(answers);
        const auto changesBefore = state.changes;
        editor::addMarkerCommand(state);
        EXPECT_TRUE(usedSlots().empty()) << cancelAt;
        EXPECT_EQ(state.changes, changesBefore) << cancelAt;
    }
}

TEST_F(MarkersTest, AddMarkerGraphicallyWaitsForAClick) {
    editor::addMarkerGraphicallyCommand(state);
    EXPECT_TRUE(state.placingMarker);
    EXPECT_TRUE(editor::menuState(state).mnuAddMarkerGraphicallyChecked);
    EXPECT_TRUE(usedSlots().empty());
}

TEST_F(MarkersTest, CentreOfMassIsShownAndCopiedInFileOrder) {
    addVertex(1, 2, 3, true);
    addVertex(2, 2, 3, true);
    editor::viewCentreOfMassCommand(state);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(dialogs.shown[0].copyBox);
    EXPECT_EQ(dialogs.shown[0].title, "Center of mass");
    EXPECT_EQ(dialogs.shown[0].text, "{ 3, 1.5, 2 }");

    editor::copyCentreOfMassCommand(state);
    EXPECT_TRUE(dialogs.clipboardSet);
    EXPECT_EQ(dialogs.clipboard, "{ 3, 1.5, 2 }");
}

TEST_F(MarkersTest, CentreIsRoundedToSixDecimals) {
    addVertex(1, 0, -1, true);
    addVertex(0, 0, 0, true);
    addVertex(0, 1e-7, 0, true);
    EXPECT_EQ(editor::centreOfMassText(state), "{ -0.333333, 0.333333, 0 }");
}

TEST_F(MarkersTest, CentreNeedsAModelAndASelection) {
    addVertex(1, 2, 3);
    editor::viewCentreOfMassCommand(state);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "No vertices selected,");
    EXPECT_EQ(dialogs.shown[0].title, "Error");
    editor::copyCentreOfMassCommand(state);
    EXPECT_FALSE(dialogs.clipboardSet);
    EXPECT_EQ(dialogs.shown.size(), 1u); // Copy stays silent

    state.modelLoaded = false;
    editor::viewCentreOfMassCommand(state);
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[1].text, "No model loaded.");
    EXPECT_EQ(dialogs.shown[1].title, "Center of mass");
    editor::copyCentreOfMassCommand(state);
    EXPECT_FALSE(dialogs.clipboardSet);
}

} // namespace
