#include "editor/interaction/main_window_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

namespace {

using editor::TwipsRect;

const editor::ControlPlacement& placementOf(std::string_view name) {
    const auto layout = editor::mainWindowLayout();
    const auto found = std::find_if(layout.begin(), layout.end(), [name](const auto& placement) {
        return placement.name == name;
    });
    EXPECT_NE(found, layout.end()) << name;
    return *found;
}

TEST(MainWindowLayout, EveryControlOnceAndInsideTheClientArea) {
    std::set<std::string_view> names;
    for (const auto& placement : editor::mainWindowLayout()) {
        EXPECT_TRUE(names.insert(placement.name).second) << placement.name;
        const auto& r = placement.rect;
        EXPECT_GE(r.left, 0);
        EXPECT_GE(r.top, 0);
        EXPECT_LE(r.left + r.width, editor::clientWidthTwips) << placement.name;
        EXPECT_LE(r.top + r.height, editor::clientHeightTwips) << placement.name;
    }
    // 3 views and the 3D view, 18 zoom and pan buttons, 13 tool buttons, 4 text boxes, 7 lines.
    EXPECT_EQ(names.size(), 46u);
}

TEST(MainWindowLayout, ViewsShareTheExtraSpaceAndTheRestMovesAlong) {
    const int width = editor::clientWidthTwips + 3000;
    const int height = editor::clientHeightTwips + 1500;
    EXPECT_EQ(editor::placeControl(placementOf("pbxFront"), width, height),
              (TwipsRect{120, 120, 4635, 3765}));
    EXPECT_EQ(editor::placeControl(placementOf("pbxTop"), width, height),
              (TwipsRect{5940, 120, 4635, 3765}));
    EXPECT_EQ(editor::placeControl(placementOf("pbxLeft"), width, height),
              (TwipsRect{120, 4230, 4635, 3765}));
    // The 3D view's right edge follows the top view's buttons, its bottom the left view's.
    EXPECT_EQ(editor::placeControl(placementOf("pbxPreview"), width, height),
              (TwipsRect{5940, 4230, 5475, 3765}));
    EXPECT_EQ(editor::placeControl(placementOf("pbxPreview"), width, height).left +
                  editor::placeControl(placementOf("pbxPreview"), width, height).width,
              editor::placeControl(placementOf("cmdPanRT"), width, height).left +
                  editor::placeControl(placementOf("cmdPanRT"), width, height).width);
    EXPECT_EQ(editor::placeControl(placementOf("cmdPanDL"), width, height),
              (TwipsRect{5040, 5745, 375, 195}));
    EXPECT_EQ(editor::placeControl(placementOf("cmdClone"), width, height),
              (TwipsRect{11640, 4560, 1095, 375}));
    EXPECT_EQ(editor::placeControl(placementOf("txtTips"), width, height),
              (TwipsRect{5880, 8220, 6855, 285}));
}

TEST(MainWindowLayout, NeverSmallerThanTheLayout) {
    const auto& front = placementOf("pbxFront");
    EXPECT_EQ(editor::placeControl(front, 100, 100), front.rect);
    EXPECT_EQ(editor::placeControl(front, editor::clientWidthTwips, editor::clientHeightTwips),
              front.rect);
}

} // namespace
