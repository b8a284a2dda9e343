// The main window: menu tree, tool buttons, tips, help texts, closing and resizing.
#include "editor/editing/file_open.h"
#include "editor/qt/ToolButtonWidget.h"
#include "moldrin_window_fixture.h"

#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include <filesystem>

namespace {

QColor buttonColour(QAbstractButton* button) {
    return button->palette().color(QPalette::Button);
}

const QColor white(255, 255, 255);
const QColor lightRed(255, 128, 128);
const QColor grey(128, 128, 128);

// "name|caption|shortcut" for every entry of a menu, "-" for a separator; submenus follow
// their entry in brackets.
QStringList describe(QMenu* menu) {
    QStringList entries;
    for (QAction* item : menu->actions()) {
        if (item->isSeparator()) {
            entries << "-";
            continue;
        }
        entries << item->objectName() + "|" + item->text() + "|" +
                       item->shortcut().toString(QKeySequence::PortableText);
        if (item->menu())
            entries << "[" + describe(item->menu()).join(", ") + "]";
    }
    return entries;
}

} // namespace

class MoldrinWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void menuTreeInOrderWithCaptionsAndShortcuts() {
        MoldrinWindowFixture f;
        QStringList bar;
        for (QAction* menu : f.window->menuBar()->actions())
            bar << menu->objectName() + "|" + menu->text();
        QCOMPARE(bar, QStringList({"mnuFile|File", "mnuEdit|Edit", "mnuTools|Tools", "mnuView|View",
                                   "mnuHelp|Help"}));

        auto menu = [&](const char* name) { return f.action(name)->menu(); };
        QCOMPARE(describe(menu("mnuFile")),
                 QStringList({"mnuNew|New|",
                              "mnuOpen|Open|Ctrl+O",
                              "mnuOpenFromArchive|Open from Archive…|",
                              "mnuSwitchGeoset|Switch Geoset|",
                              "-",
                              "mnuSave|Save|Ctrl+S",
                              "mnuSaveAs|Save As|",
                              "mnuSaveGeoset|Save geoset|",
                              "mnuExport|Export…|",
                              "-",
                              "mnuDelCurrentGeoset|Delete Current Geoset|",
                              "mnuMergeGeoset|Merge Geoset|",
                              "mnuImportMesh|Import Mesh…|",
                              "-",
                              "mnuGameData|Game Data…|",
                              "-",
                              "mnuRecentFiles|Recent Files|",
                              "[]",
                              "-",
                              "mnuExit|Exit|"}));
        QCOMPARE(
            describe(menu("mnuEdit")),
            QStringList({"mnuUndo|Undo|Ctrl+Z", "mnuRedo|Redo|Ctrl+Y", "-",
                         "mnuSelectAll|Select All|Ctrl+A",
                         "mnuInvertSelection|Invert Selection|Ctrl+I", "-", "mnuSnap|Snap|Ctrl+N",
                         "mnuDelete|Delete|Del", "mnuClone|Clone|Ctrl+C", "mnuMode|Mode|",
                         "[mnuSelect|Select|F1, mnuAdd|Add|F2, mnuDeselect|Deselect|F3, "
                         "mnuMove|Move|F5, mnuRotate|Rotate|F6, mnuScale|Scale|F7, "
                         "mnuExtrude|Extrude|F8, mnuXEnabled|X Enabled|Ctrl+F1, "
                         "mnuYEnabled|Y Enabled|Ctrl+F2, mnuZEnabled|Z Enabled|Ctrl+F3]"}));
        QCOMPARE(describe(menu("mnuTools")),
                 QStringList({"mnuExpandSelection|Expand Selection|Ctrl+E",
                              "mnuCenterOfMass|Center of Mass|",
                              "[mnuViewCoM|View|, mnuCopyCoM|Copy to Clipboard|]",
                              "-",
                              "mnuSelVertCount|Selected Vertex Counter|",
                              "mnuSelFaceCount|Selected Face Counter|",
                              "mnuSetCoordinates|Set Vertex Coordinates|",
                              "-",
                              "mnuAssignVertexGroup|Assign Vertex Group|",
                              "mnuVertGroupOfSel|Vertex Group of Selection|",
                              "mnuSelectByVertGroup|Select by Vertex Group|",
                              "mnuViewMatrices|View Matrices|",
                              "mnuAddMatrix|Add Matrix|",
                              "-",
                              "mnuWeld|Weld|Ctrl+W",
                              "mnuDeleteFace|Delete Face|",
                              "mnuUVMapping|UV Mapping|",
                              "mnuSnapNormals|Snap Normals|Ctrl+P",
                              "mnuRecalculateNormals|Recalculate Normals|",
                              "mnuMirror|Mirror|",
                              "[mnuMirrorX|Mirror X|, mnuMirrorY|Mirror Y|, mnuMirrorZ|Mirror Z|]",
                              "mnuAlign|Align|",
                              "[mnuAlignX|Align X|, mnuAlignY|Align Y|, mnuAlignZ|Aligh Z|]",
                              "mnuConvertFormatVersion|Convert Format Version…|",
                              "-",
                              "mnuCheckModel|Check Model…|"}));
        QCOMPARE(describe(menu("mnuView")),
                 QStringList(
                     {"mnuFitAll|Fit All|Home", "mnuReset3DView|Reset 3D View|", "-",
                      "mnuAddMarker|Add Marker|", "mnuAddMarkerGraphically|Add Marker Graphically|",
                      "mnuAddMarkerAtSelection|Add Marker at Selection|",
                      "mnuRemoveLastMarker|Remove Last Marker|",
                      "mnuRemoveAllMarkers|Remove All Markers|", "mnuShowNormals|Show Normals|"}));
        QCOMPARE(describe(menu("mnuHelp")),
                 QStringList({"mnuEnableTips|Enable Tips|", "mnuInstructions|Instructions|",
                              "[mnuSummary|Summary|, mnuNavigation|Navigation|, "
                              "mnuSelection|Selection|, mnuTransformations|Transformations|, "
                              "mnuCloning|Cloning|, mnuMarkers|Markers|]",
                              "mnuAbout|About|"}));

        for (QAction* item : f.window->findChildren<QAction*>())
            QVERIFY2(item->shortcut() != QKeySequence(Qt::Key_F4), qPrintable(item->objectName()));
    }

    void enabledStatesAndCheckMarksAtStartAndAfterARead() {
        MoldrinWindowFixture f;
        const QStringList disabledAtStart{"mnuSwitchGeoset", "mnuSave",       "mnuSaveAs",
                                          "mnuSaveGeoset",   "mnuExport",     "mnuDelCurrentGeoset",
                                          "mnuMergeGeoset",  "mnuImportMesh", "mnuUndo",
                                          "mnuTools",        "mnuRedo",       "mnuRecentFiles"};
        for (QAction* item : f.window->findChildren<QAction*>()) {
            if (item->isSeparator() || item->objectName().isEmpty() ||
                f.action("mnuTools")->menu()->findChildren<QAction*>().contains(item))
                continue;
            QCOMPARE(item->isEnabled(), !disabledAtStart.contains(item->objectName()));
            const bool checked = item->objectName() == "mnuXEnabled" ||
                                 item->objectName() == "mnuYEnabled" ||
                                 item->objectName() == "mnuZEnabled";
            QVERIFY2(item->isChecked() == checked, qPrintable(item->objectName()));
        }
        QVERIFY(!f.button("cmdSnap")->isEnabled());
        QVERIFY(f.button("cmdDelete")->isEnabled());
        QCOMPARE(f.action("mnuUndo")->text(), QString("Undo"));
        QCOMPARE(f.window->windowTitle(), QString("MDL Moldrin"));

        f.openCube();
        QCOMPARE(f.dialogs.prompts.front(), std::string(editor::modelOpenFilter));
        for (const char* name :
             {"mnuTools", "mnuSave", "mnuSaveAs", "mnuSwitchGeoset", "mnuSaveGeoset", "mnuExport",
              "mnuMergeGeoset", "mnuWeld", "mnuAlignZ"})
            QVERIFY2(f.action(name)->isEnabled(), name);
        QVERIFY(!f.action("mnuDelCurrentGeoset")->isEnabled());
        QVERIFY(!f.action("mnuUndo")->isEnabled());
        QVERIFY(f.button("cmdSnap")->isEnabled());

        f.action("mnuSelectAll")->trigger();
        QVERIFY(f.action("mnuUndo")->isEnabled());
        QCOMPARE(f.action("mnuUndo")->text(), QString("Undo Select All"));
        f.action("mnuUndo")->trigger();
        QVERIFY(!f.action("mnuUndo")->isEnabled());
        QCOMPARE(f.action("mnuUndo")->text(), QString("Undo"));
    }

    void toolButtonColoursFollowTheModes() {
        MoldrinWindowFixture f;
        const QColor face = editor::toolButtonColour(editor::ButtonColour::ButtonFace);
        QCOMPARE(buttonColour(f.button("cmdSelect")), white);
        QCOMPARE(buttonColour(f.button("cmdMove")), white);
        QCOMPARE(buttonColour(f.button("cmdScale")), face);
        // The button face of a tool button is that of every other button.
        QCOMPARE(face, f.button("cmdZoomInFront")->palette().color(QPalette::Button));

        QTest::mouseClick(f.button("cmdScale"), Qt::LeftButton);
        QCOMPARE(f.state().transformMode, std::string("S"));
        QCOMPARE(buttonColour(f.button("cmdScale")), white);
        for (const char* name : {"cmdMove", "cmdRotate", "cmdExtrude"})
            QCOMPARE(buttonColour(f.button(name)), face);
        QCOMPARE(buttonColour(f.button("cmdSelect")), white);

        QTest::mouseClick(f.button("cmdDeselect"), Qt::LeftButton);
        QCOMPARE(buttonColour(f.button("cmdDeselect")), white);
        QCOMPARE(buttonColour(f.button("cmdSelect")), face);
        QCOMPARE(buttonColour(f.button("cmdScale")), white);

        QTest::mouseClick(f.button("cmdClone"), Qt::LeftButton);
        QCOMPARE(buttonColour(f.button("cmdClone")), lightRed);
        QTest::mouseClick(f.button("cmdClone"), Qt::LeftButton);
        QCOMPARE(buttonColour(f.button("cmdClone")), face);
        f.action("mnuClone")->trigger();
        QCOMPARE(buttonColour(f.button("cmdClone")), lightRed);
        QVERIFY(!f.action("mnuClone")->isChecked());
    }

    void axisTogglesGreyTheButtonAndFollowTheCheckMarks() {
        MoldrinWindowFixture f;
        const QColor face = editor::toolButtonColour(editor::ButtonColour::ButtonFace);
        QTest::mouseClick(f.button("cmdActivateX"), Qt::LeftButton);
        QCOMPARE(buttonColour(f.button("cmdActivateX")), grey);
        QVERIFY(!f.action("mnuXEnabled")->isChecked());
        QVERIFY2(!f.action("mnuUndo")->isEnabled(), "no step without a model");

        f.action("mnuXEnabled")->trigger();
        QVERIFY(f.state().axisXEnabled);
        QVERIFY(f.action("mnuXEnabled")->isChecked());
        QCOMPARE(buttonColour(f.button("cmdActivateX")), face);

        f.action("mnuZEnabled")->trigger();
        QVERIFY(!f.state().axisZEnabled);
        QVERIFY(!f.action("mnuZEnabled")->isChecked());
        QCOMPARE(buttonColour(f.button("cmdActivateZ")), grey);
        QCOMPARE(buttonColour(f.button("cmdActivateY")), face);
    }

    void functionKeysChooseModesAndF4DoesNothing() {
        MoldrinWindowFixture f;
        QTest::keyClick(f.window.get(), Qt::Key_F6);
        QCOMPARE(f.state().transformMode, std::string("R"));
        QTest::keyClick(f.window.get(), Qt::Key_F2);
        QCOMPARE(f.state().selectionMode, std::string("A"));
        QTest::keyClick(f.window.get(), Qt::Key_F1);
        QCOMPARE(f.state().selectionMode, std::string("S"));
        QTest::keyClick(f.window.get(), Qt::Key_F4);
        QCOMPARE(f.state().selectionMode, std::string("S"));
        QCOMPARE(f.state().transformMode, std::string("R"));
        QTest::keyClick(f.window.get(), Qt::Key_F2, Qt::ControlModifier);
        QVERIFY(!f.state().axisYEnabled);
    }

    void tipsOnOffAndKept() {
        MoldrinWindowFixture f;
        auto* tips = f.window->findChild<QLineEdit*>("txtTips");
        QVERIFY(tips->isVisible());
        f.hover(f.button("cmdClone"));
        QCOMPARE(tips->text(), QString()); // tips are off at start

        f.action("mnuEnableTips")->trigger();
        QVERIFY(f.action("mnuEnableTips")->isChecked());
        f.hover(f.button("cmdClone"));
        const QString cloneTip =
            "Activates clone mode, where a duplicate is left behind after a transformation.";
        QCOMPARE(tips->text(), cloneTip);
        // A zoom button has no tip: the last one stays.
        f.hover(f.button("cmdZoomInFront"));
        QCOMPARE(tips->text(), cloneTip);
        // The bare window empties the box.
        f.hover(f.window->centralWidget(), QPoint(652, 300));
        QCOMPARE(tips->text(), QString());

        f.hover(f.window->findChild<QLineEdit*>("txtZ"));
        const QString zTip = "Shows the Z coordinate the mouse is hovering over in a viewport.";
        QCOMPARE(tips->text(), zTip);

        f.action("mnuEnableTips")->trigger();
        QVERIFY(!tips->isVisible());
        f.hover(f.button("cmdMove"));
        f.action("mnuEnableTips")->trigger();
        QVERIFY(tips->isVisible());
        QCOMPARE(tips->text(), zTip);
    }

    void helpTextsAndAbout() {
        MoldrinWindowFixture f;
        f.action("mnuSelection")->trigger();
        QCOMPARE(f.dialogs.shown.back().title, std::string("Selection"));
        QVERIFY(f.dialogs.shown.back().text.ends_with("currently selected ones are selected.\r\n"));
        f.action("mnuMarkers")->trigger();
        QCOMPARE(f.dialogs.shown.back().title, std::string("Markers"));
        QVERIFY(f.dialogs.shown.back().text.ends_with("of the selected vertices."));
        f.action("mnuSummary")->trigger();
        QVERIFY(f.dialogs.shown.back().text.find("Warcraft 3 Viewer") != std::string::npos);
        f.action("mnuAbout")->trigger();
        QVERIFY(f.dialogs.shown.back().text.find("1.14") != std::string::npos);
    }

    void closingDeletesTheWorkingCopy() {
        {
            MoldrinWindowFixture f;
            f.window->close();
            QVERIFY(f.dialogs.shown.empty());
        }
        MoldrinWindowFixture f;
        f.openCube();
        const std::filesystem::path workingCopy = f.folder.file("cube_TMP.tdl");
        QVERIFY(std::filesystem::exists(workingCopy));
        f.action("mnuExit")->trigger();
        QVERIFY(!f.window->isVisible());
        QVERIFY(!std::filesystem::exists(workingCopy));
        QVERIFY(std::filesystem::exists(f.modelPath));
    }

    void layoutAtStartAndWhenResized() {
        MoldrinWindowFixture f;
        QCOMPARE(f.window->centralWidget()->size(), QSize(655, 469));
        QCOMPARE(f.view("pbxFront")->geometry(), QRect(8, 8, 209, 201));
        QCOMPARE(f.view("pbxTop")->geometry(), QRect(296, 8, 209, 201));
        QCOMPARE(f.view("pbxLeft")->geometry(), QRect(8, 232, 209, 201));
        QCOMPARE(f.button("cmdPanUL")->geometry(), QRect(236, 296, 25, 13));
        QCOMPARE(f.button("cmdActivateZ")->geometry(), QRect(624, 344, 25, 25));
        QCOMPARE(f.window->findChild<QLineEdit*>("txtTips")->geometry(), QRect(392, 448, 257, 19));
        QCOMPARE(f.state().pbxFront->width(), 3135.0);
        QCOMPARE(f.state().pbxFront->height(), 3015.0);

        f.window->resize(f.window->width() + 200, f.window->height() + 100);
        QTRY_COMPARE(f.window->centralWidget()->size(), QSize(855, 569));
        QCOMPARE(f.view("pbxFront")->geometry(), QRect(8, 8, 309, 251));
        QCOMPARE(f.view("pbxTop")->geometry(), QRect(396, 8, 309, 251));
        QCOMPARE(f.view("pbxLeft")->geometry(), QRect(8, 282, 309, 251));
        QCOMPARE(f.button("cmdSelect")->geometry(), QRect(776, 0, 73, 25));
        QCOMPARE(f.state().pbxTop->width(), 309.0 * 15);
    }
};

QTEST_MAIN(MoldrinWindowTest)
#include "moldrin_window_test.moc"
