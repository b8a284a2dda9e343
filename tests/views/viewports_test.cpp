#include "common/recording_canvas.h"
#include "editor/interaction/editor_state.h"
#include "editor/views/viewports.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using common::Colour;
using common::RecordingCanvas;
using Kind = common::RecordingCanvas::Kind;
using editor::EditorState;
using editor::VertexRecord;
namespace colours = editor::viewColours;

constexpr double viewWidth = 3135;
constexpr double viewHeight = 3015;

VertexRecord vertexAt(double x, double y, double z) {
    VertexRecord vertex;
    vertex.x = x;
    vertex.y = y;
    vertex.z = z;
    return vertex;
}

std::vector<RecordingCanvas::Call> callsOf(const RecordingCanvas& canvas, Kind kind) {
    std::vector<RecordingCanvas::Call> found;
    std::copy_if(canvas.calls.begin(), canvas.calls.end(), std::back_inserter(found),
                 [kind](const auto& call) { return call.kind == kind; });
    return found;
}

std::vector<RecordingCanvas::Call> linesIn(const RecordingCanvas& canvas, Colour colour) {
    std::vector<RecordingCanvas::Call> found;
    for (const auto& call : callsOf(canvas, Kind::Line))
        if (call.colour == colour)
            found.push_back(call);
    return found;
}

struct ThreeViews {
    RecordingCanvas front{viewWidth, viewHeight};
    RecordingCanvas top{viewWidth, viewHeight};
    RecordingCanvas left{viewWidth, viewHeight};

    explicit ThreeViews(EditorState& state) {
        state.pbxFront = &front;
        state.pbxTop = &top;
        state.pbxLeft = &left;
        state.modelLoaded = true;
    }
};

TEST(Projection, WorkedExampleAndTiesToEven) {
    // (1, 2) at default zoom in a 3135 x 3015 view: round(1567.5 + 20), round(1507.5 - 40).
    EXPECT_EQ(editor::projectH(1, 20, 0, viewWidth), 1588);
    EXPECT_EQ(editor::projectV(2, 20, 0, viewHeight), 1468);
    // The origin lands on a half: 1567.5 and 1507.5 go to the even neighbours.
    EXPECT_EQ(editor::projectH(0, 20, 0, viewWidth), 1568);
    EXPECT_EQ(editor::projectV(0, 20, 0, viewHeight), 1508);
    // The pan is added after rounding.
    EXPECT_EQ(editor::projectH(0, 20, 3, viewWidth), 1571);
    EXPECT_EQ(editor::projectV(0, 20, -3, viewHeight), 1505);
    // 2.5 to 2 and 3.5 to 4.
    EXPECT_EQ(editor::projectH(2.5, 1, 0, 0), 2);
    EXPECT_EQ(editor::projectH(3.5, 1, 0, 0), 4);
}

TEST(Projection, InverseIsNotRounded) {
    EXPECT_DOUBLE_EQ(editor::unprojectH(1575, 20, 0, viewWidth), 0.375);
    EXPECT_DOUBLE_EQ(editor::unprojectV(1500, 20, 0, viewHeight), 0.375);
    EXPECT_DOUBLE_EQ(editor::unprojectH(1775, 20, 0, viewWidth), 10.375);
    EXPECT_DOUBLE_EQ(editor::unprojectV(1300, 20, 0, viewHeight), 10.375);
    EXPECT_DOUBLE_EQ(editor::unprojectH(1875, 20, 300, viewWidth), 0.375);
    EXPECT_DOUBLE_EQ(editor::unprojectV(1800, 20, 300, viewHeight), 0.375);
}

TEST(UpdateView, DrawsTheWorkedExamplePointInTheFrontView) {
    EditorState state;
    state.vertices = {vertexAt(1, 2, 7)};
    ThreeViews views(state);
    editor::refreshViews(state, state);

    const auto squares = callsOf(views.front, Kind::Rectangle);
    ASSERT_EQ(squares.size(), 1u);
    EXPECT_EQ(squares[0].x1, 1578);
    EXPECT_EQ(squares[0].y1, 1458);
    EXPECT_EQ(squares[0].x2, 1598);
    EXPECT_EQ(squares[0].y2, 1478);
    EXPECT_EQ(squares[0].colour, colours::vertex);

    // Top view shows x across and z up; left view z across and y up.
    const auto top = callsOf(views.top, Kind::Rectangle);
    ASSERT_EQ(top.size(), 1u);
    EXPECT_EQ(top[0].x1 + 10, 1588);
    EXPECT_EQ(top[0].y1 + 10, 1508 - 140);
    const auto left = callsOf(views.left, Kind::Rectangle);
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].x1 + 10, 1568 + 140);
    EXPECT_EQ(left[0].y1 + 10, 1468);
}

TEST(UpdateView, StartsWithAClearAndAnAxisCrossOfTenModelUnits) {
    EditorState state;
    ThreeViews views(state);
    state.panFrontX = 300;
    state.vertices = {vertexAt(5, 5, 5)};
    editor::refreshViews(state, state);

    for (const auto* canvas : {&views.front, &views.top, &views.left}) {
        ASSERT_FALSE(canvas->calls.empty());
        EXPECT_EQ(canvas->calls.front().kind, Kind::Clear);
    }
    // Front: the vertical arm is y (blue), the horizontal arm x (red), from the unrounded
    // origin W / 2 + panX, H / 2 + panY.
    const auto& up = views.front.calls[1];
    EXPECT_EQ(up.colour, colours::axisY);
    EXPECT_DOUBLE_EQ(up.x1, 1867.5);
    EXPECT_DOUBLE_EQ(up.y1, 1507.5);
    EXPECT_DOUBLE_EQ(up.x2, 1867.5);
    EXPECT_DOUBLE_EQ(up.y2, 1307.5);
    const auto& across = views.front.calls[2];
    EXPECT_EQ(across.colour, colours::axisX);
    EXPECT_DOUBLE_EQ(across.x2, 2067.5);
    EXPECT_DOUBLE_EQ(across.y2, 1507.5);

    EXPECT_EQ(views.top.calls[1].colour, colours::axisZ);
    EXPECT_EQ(views.top.calls[2].colour, colours::axisX);
    EXPECT_EQ(views.left.calls[1].colour, colours::axisY);
    EXPECT_EQ(views.left.calls[2].colour, colours::axisZ);
}

TEST(UpdateView, SkipsFacesWithADeletedCornerAndDeletedVertices) {
    EditorState state;
    ThreeViews views(state);
    state.vertices = {vertexAt(0, 0, 0), vertexAt(1, 0, 0), vertexAt(0, 1, 0), vertexAt(1, 1, 0)};
    state.vertices[3].deleted = true;
    state.vertices[3].selected = true;
    state.showNormals = true;
    state.vertices[3].normalX = 1;
    state.faces = {{0, 1, 2, false}, {1, 2, 3, false}, {0, 1, 2, true}};
    editor::refreshViews(state, state);

    EXPECT_EQ(linesIn(views.front, colours::edge).size(), 3u);
    EXPECT_EQ(callsOf(views.front, Kind::Rectangle).size(), 3u);
    // Normals of the three drawn vertices only; none of them red.
    EXPECT_EQ(linesIn(views.front, colours::normal).size(), 3u);
    for (const auto& square : callsOf(views.front, Kind::Rectangle))
        EXPECT_EQ(square.colour, colours::vertex);
}

TEST(UpdateView, EdgesLieUnderSquaresAndSelectedSquaresAreRed) {
    EditorState state;
    ThreeViews views(state);
    state.vertices = {vertexAt(0, 0, 0), vertexAt(1, 0, 0), vertexAt(0, 1, 0)};
    state.vertices[1].selected = true;
    state.faces = {{0, 1, 2, false}};
    editor::refreshViews(state, state);

    const auto& calls = views.front.calls;
    // clear, two axis arms, three edges (P1-P2, P2-P3, P3-P1), then the squares; the view's
    // label comes last (its name, two axis arms, two axis names).
    ASSERT_EQ(calls.size(), 9u + 5u);
    EXPECT_EQ(calls[3].kind, Kind::Line);
    EXPECT_EQ(calls[3].x1, 1568);
    EXPECT_EQ(calls[3].x2, 1588);
    EXPECT_EQ(calls[5].x2, 1568);
    EXPECT_EQ(calls[6].colour, colours::vertex);
    EXPECT_EQ(calls[7].colour, colours::selectedVertex);
    EXPECT_EQ(calls[8].colour, colours::vertex);
}

TEST(UpdateView, NormalsAreScaledBy150AndNotRounded) {
    EditorState state;
    ThreeViews views(state);
    state.vertices = {vertexAt(1, 2, 0), vertexAt(0, 0, 0)};
    state.vertices[0].normalX = 0.6;
    state.vertices[0].normalY = 0.8;
    state.vertices[0].normalZ = 0.333;
    editor::refreshViews(state, state);
    EXPECT_TRUE(linesIn(views.front, colours::normal).empty()) << "normals are off by default";

    state.showNormals = true;
    editor::refreshViews(state, state);
    const auto normals = linesIn(views.front, colours::normal);
    ASSERT_EQ(normals.size(), 2u);
    EXPECT_EQ(normals[0].x1, 1588);
    EXPECT_EQ(normals[0].y1, 1468);
    EXPECT_DOUBLE_EQ(normals[0].x2, 1588 + 90);
    EXPECT_DOUBLE_EQ(normals[0].y2, 1468 - 120);
    // A zero normal gives a line of no length.
    EXPECT_EQ(normals[1].x1, normals[1].x2);
    EXPECT_EQ(normals[1].y1, normals[1].y2);
    // The left view uses the z component across.
    const auto left = linesIn(views.left, colours::normal);
    EXPECT_NEAR(left[0].x2 - left[0].x1, 150 * 0.333, 1e-9);
}

TEST(UpdateView, DrawsUsedMarkersInSlotsOneToTwentyOnTop) {
    EditorState state;
    ThreeViews views(state);
    state.vertices = {vertexAt(0, 0, 0)};
    state.markers[0] = {1, 1, 1, true}; // slot 0 is never a marker
    state.markers[3] = {1, 2, 99, true};
    state.markers[20] = {-1, 0, 0, false};
    editor::refreshViews(state, state);

    const auto circles = callsOf(views.front, Kind::Circle);
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_EQ(circles[0].x1, 1588);
    EXPECT_EQ(circles[0].y1, 1468);
    EXPECT_EQ(circles[0].x2, 60);
    EXPECT_EQ(circles[0].colour, colours::marker);
    // The marker colour is the y axis colour too: the marker's lines follow the axis cross.
    auto cross = linesIn(views.front, colours::marker);
    ASSERT_EQ(cross.size(), 4u);
    cross.erase(cross.begin()); // the axis cross's arm
    cross.pop_back();           // the label's arm
    EXPECT_EQ(cross[0].x1, 1528);
    EXPECT_EQ(cross[0].x2, 1648);
    EXPECT_EQ(cross[1].y1, 1408);
    EXPECT_EQ(cross[1].y2, 1528);
    EXPECT_EQ(callsOf(views.front, Kind::Circle).back().x1, 1588);
    EXPECT_EQ(views.front.calls.back().kind, Kind::Text); // the label lies over everything
}

TEST(UpdateView, EachViewNamesItselfAndItsAxesInTheFilesNames) {
    EditorState state;
    ThreeViews views(state);
    state.vertices = {vertexAt(0, 0, 0)};
    editor::refreshViews(state, state);
    const auto texts = [](const common::RecordingCanvas& canvas) {
        std::vector<std::string> found;
        for (const auto& call : canvas.calls)
            if (call.kind == Kind::Text)
                found.push_back(call.text);
        return found;
    };
    // Editor x, y, z are the file's Y, Z, X.
    EXPECT_EQ(texts(views.front), (std::vector<std::string>{"Front", "Y", "Z"}));
    EXPECT_EQ(texts(views.top), (std::vector<std::string>{"Top", "Y", "X"}));
    EXPECT_EQ(texts(views.left), (std::vector<std::string>{"Left", "X", "Z"}));
    for (const auto& call : views.front.calls)
        if (call.kind == Kind::Text) {
            EXPECT_GE(call.x1, 0);
            EXPECT_LT(call.y1, views.front.height());
        }
}

TEST(RefreshViews, DrawsNothingWithoutAModelAndUsesTheCurrentSize) {
    EditorState state;
    ThreeViews views(state);
    state.modelLoaded = false;
    state.vertices = {vertexAt(1, 2, 0)};
    editor::refreshViews(state, state);
    EXPECT_EQ(views.front.clears, 0);
    EXPECT_EQ(state.redrawCount, 0);

    state.modelLoaded = true;
    views.front.resize(1500, 1500);
    editor::refreshViews(state, state);
    EXPECT_EQ(state.redrawCount, 1);
    const auto squares = callsOf(views.front, Kind::Rectangle);
    ASSERT_EQ(squares.size(), 1u);
    EXPECT_EQ(squares[0].x1 + 10, 770);
    EXPECT_EQ(squares[0].y1 + 10, 710);
}

} // namespace
