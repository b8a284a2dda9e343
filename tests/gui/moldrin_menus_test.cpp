// Every command menu item and button of the main window reaches its command.
#include "moldrin_window_fixture.h"

#include "support/temp_folder.h"

#include <QMainWindow>

#include <filesystem>

namespace {

void selectOnly(editor::EditorState& state, std::initializer_list<int> indices) {
    for (auto& vertex : state.vertices)
        vertex.selected = false;
    for (int i : indices)
        state.vertices[static_cast<std::size_t>(i)].selected = true;
}

} // namespace

class MoldrinMenusTest : public QObject {
    Q_OBJECT

  private slots:
    void selectionAndCounterItems() {
        MoldrinWindowFixture f;
        f.openCube();
        QTest::keyClick(f.window.get(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(f.selectedCount(), 24);
        f.action("mnuSelVertCount")->trigger();
        QCOMPARE(f.dialogs.shown.back().title, std::string("Selected vertex counter"));
        QCOMPARE(f.dialogs.shown.back().text, std::string("24 vertices selected."));
        f.action("mnuSelFaceCount")->trigger();
        QCOMPARE(f.dialogs.shown.back().text, std::string("12 faces selected."));

        QTest::keyClick(f.window.get(), Qt::Key_I, Qt::ControlModifier);
        QCOMPARE(f.selectedCount(), 0);
        QCOMPARE(f.action("mnuUndo")->text(), QString("Undo Invert Selection"));
        selectOnly(f.state(), {0});
        QTest::keyClick(f.window.get(), Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(f.selectedCount(), 4); // the two triangles of one side
        QCOMPARE(f.action("mnuUndo")->text(), QString("Undo Selection"));
        QTest::keyClick(f.window.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.selectedCount(), 1);
    }

    void geometryToolItemsAndButtons() {
        MoldrinWindowFixture f;
        f.openCube();
        auto& vertices = f.state().vertices;
        // Vertex 0 is at x -10, y 0, z 10; vertex 1 at x 10, y 0, z 10; vertex 2 at x 10, y 20.
        selectOnly(f.state(), {0, 1});
        f.action("mnuAlignX")->trigger();
        QCOMPARE(vertices[0].x, 0.0);
        QCOMPARE(vertices[1].x, 0.0);
        QCOMPARE(f.action("mnuUndo")->text(), QString("Undo Align"));
        f.action("mnuUndo")->trigger();

        selectOnly(f.state(), {0, 2});
        f.action("mnuMirrorY")->trigger();
        QCOMPARE(vertices[0].y, 20.0);
        QCOMPARE(vertices[2].y, 0.0);
        QCOMPARE(vertices[0].x, -10.0);
        QCOMPARE(f.action("mnuUndo")->text(), QString("Undo Mirror"));
        f.action("mnuMirrorZ")->trigger();
        f.action("mnuAlignZ")->trigger();
        f.action("mnuAlignY")->trigger();
        QCOMPARE(vertices[0].y, 10.0);
        f.action("mnuMirrorX")->trigger();
        QCOMPARE(vertices[0].x, 10.0);

        selectOnly(f.state(), {0, 1});
        QTest::mouseClick(f.button("cmdSnap"), Qt::LeftButton);
        QCOMPARE(f.action("mnuUndo")->text(), QString("Undo Snap"));
        QCOMPARE(vertices[0].x, vertices[1].x);
        const auto steps = f.state().undoHistory.size();
        QTest::keyClick(f.window.get(), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(f.state().undoHistory.size(), steps + 1);
        QCOMPARE(f.state().undoHistory.front().name(), std::string("Snap"));

        QTest::keyClick(f.window.get(), Qt::Key_W, Qt::ControlModifier);
        QCOMPARE(f.action("mnuUndo")->text(), QString("Undo Weld"));
        QVERIFY(vertices[1].deleted);

        selectOnly(f.state(), {4, 5, 6});
        f.action("mnuDeleteFace")->trigger();
        QCOMPARE(f.action("mnuUndo")->text(), QString("Undo Delete Face"));
        QVERIFY(f.state().faces[2].deleted);
        QTest::keyClick(f.window.get(), Qt::Key_Delete);
        QCOMPARE(f.action("mnuUndo")->text(), QString("Undo Delete"));
        QVERIFY(vertices[4].deleted);
        selectOnly(f.state(), {8});
        QTest::mouseClick(f.button("cmdDelete"), Qt::LeftButton);
        QVERIFY(vertices[8].deleted);

        selectOnly(f.state(), {10});
        f.dialogs.setAnswers({"1", "2", "3"});
        f.action("mnuSetCoordinates")->trigger();
        QCOMPARE(f.action("mnuUndo")->text(), QString("Undo Set Coordinates"));
        QCOMPARE(vertices[10].x + vertices[10].y + vertices[10].z, 6.0);
    }

    void normalsAndVertexGroupItems() {
        MoldrinWindowFixture f;
        f.openCube();
        selectOnly(f.state(), {0, 1});
        f.action("mnuRecalculateNormals")->trigger();
        QCOMPARE(f.action("mnuUndo")->text(), QString("Undo Recalculate Normals"));
        QTest::keyClick(f.window.get(), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(f.action("mnuUndo")->text(), QString("Undo Snap Normals"));

        // The geoset has two matrix groups: 1 is the last one.
        f.dialogs.setAnswers({"1"});
        f.action("mnuAssignVertexGroup")->trigger();
        QCOMPARE(f.state().vertices[1].vertexGroup, 1);
        QCOMPARE(f.action("mnuUndo")->text(), QString("Undo Assign Vertex Group"));
        f.action("mnuVertGroupOfSel")->trigger();
        QCOMPARE(f.dialogs.shown.back().text, std::string("Vertex group(s) 1 were selected."));

        // Group 3 lies past the geoset's two matrix groups: its vertices belong to no group.
        selectOnly(f.state(), {});
        f.dialogs.setAnswers({"1"});
        f.action("mnuSelectByVertGroup")->trigger();
        QCOMPARE(f.selectedCount(), 14);

        const int groups = f.state().groupCount;
        f.dialogs.setAnswers({"1", ""}); // the cube's bones are nodes 0 and 1
        f.action("mnuAddMatrix")->trigger();
        QCOMPARE(f.state().groupCount, groups + 1);
        f.action("mnuViewMatrices")->trigger();
        QCOMPARE(f.dialogs.shown.back().title, std::string("Matrices"));
    }

    void markerAndCentreItems() {
        MoldrinWindowFixture f;
        f.openCube();
        f.dialogs.setAnswers({"1", "2", "3"});
        f.action("mnuAddMarker")->trigger();
        const auto& markers = f.state().markers;
        QVERIFY(markers[1].used);
        QCOMPARE(markers[1].z, 1.0);
        QCOMPARE(markers[1].x, 2.0);
        QCOMPARE(markers[1].y, 3.0);

        selectOnly(f.state(), {0, 1});
        f.action("mnuAddMarkerAtSelection")->trigger();
        QVERIFY(markers[2].used);
        QCOMPARE(markers[2].x, 0.0);
        QCOMPARE(markers[2].z, 10.0);
        f.action("mnuRemoveLastMarker")->trigger();
        QVERIFY(!markers[2].used);
        QVERIFY(markers[1].used);
        f.action("mnuRemoveAllMarkers")->trigger();
        QVERIFY(!markers[1].used);

        f.action("mnuViewCoM")->trigger();
        QVERIFY(f.dialogs.shown.back().copyBox);
        f.action("mnuCopyCoM")->trigger();
        QVERIFY(f.dialogs.clipboardSet);
        QCOMPARE(f.dialogs.clipboard, f.dialogs.shown.back().text);
    }

    void fileItems() {
        MoldrinWindowFixture f;
        const std::string newPath = f.folder.file("new.mdl");
        f.dialogs.setAnswers({newPath});
        f.action("mnuNew")->trigger();
        QVERIFY(std::filesystem::exists(newPath));
        QVERIFY(!f.state().modelLoaded);

        f.openCube();
        QCOMPARE(f.state().vertices.size(), std::size_t(24));
        f.dialogs.setAnswers({"2"});
        f.action("mnuSwitchGeoset")->trigger();
        QCOMPARE(f.state().geosetNumber, 2);
        QCOMPARE(f.state().vertices.size(), std::size_t(5));

        f.dialogs.setAnswers({f.modelPath, "1"});
        f.action("mnuMergeGeoset")->trigger();
        QCOMPARE(f.state().vertices.size(), std::size_t(29));
        QCOMPARE(f.action("mnuUndo")->text(), QString("Undo Merge"));

        const std::string before = testing_support::readFile(f.modelPath);
        QTest::keyClick(f.window.get(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(testing_support::readFile(f.modelPath) != before);

        const std::string copyPath = f.folder.file("copy.mdl");
        f.dialogs.setAnswers({copyPath});
        f.action("mnuSaveAs")->trigger();
        QVERIFY(std::filesystem::exists(copyPath));
        const std::string geosetPath = f.folder.file("geoset.mdl");
        f.dialogs.setAnswers({geosetPath});
        f.action("mnuSaveGeoset")->trigger();
        QVERIFY(testing_support::readFile(geosetPath).find("Bone \"Bone0\" {") !=
                std::string::npos);
    }

    void uvMappingTakesTheMainWindowOutOfUseWhileOpen() {
        MoldrinWindowFixture f;
        f.openCube();
        f.action("mnuUVMapping")->trigger();
        auto* editor = f.window->findChild<QMainWindow*>("frmUVEditor");
        QVERIFY(editor);
        QVERIFY(editor->isVisible());
        QCOMPARE(editor->windowTitle(), QString("Texture Coordinate Editor"));
        QVERIFY(!f.window->isEnabled());
        editor->close();
        QVERIFY(f.window->isEnabled());
    }
};

QTEST_MAIN(MoldrinMenusTest)
#include "moldrin_menus_test.moc"
