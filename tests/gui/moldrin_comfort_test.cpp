// The editor window's comforts: the title and the question about unsaved changes, redo, the
// recent files, fitting, wheel zoom and Space-drag pan, live previews of drags, the read-outs'
// width and corpus models opened fitted.

#include "moldrin_window_fixture.h"

#include "editor/editing/working_copy.h"
#include "editor/views/viewports.h"

#include <QFontMetrics>
#include <QMenu>
#include <QTest>
#include <QWheelEvent>

#include <filesystem>

namespace {

const QRgb red = qRgb(255, 0, 0);

bool colourIn(const QImage& image, QRgb colour, QRect area) {
    area = area.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) == colour)
                return true;
    return false;
}

// Every vertex that is not deleted lies inside each of the three views.
QString verticesOutsideTheViews(editor::EditorState& state) {
    for (auto view : {editor::View::Front, editor::View::Top, editor::View::Left}) {
        const auto g = editor::viewGeometry(state, view);
        for (const auto& v : state.vertices) {
            if (v.deleted)
                continue;
            const auto on = [&](char axis) { return axis == 'x' ? v.x : axis == 'y' ? v.y : v.z; };
            const double h = editor::projectH(on(g.hAxis), g.zoom, g.panX, g.canvas->width());
            const double up = editor::projectV(on(g.vAxis), g.zoom, g.panY, g.canvas->height());
            if (h < 0 || h > g.canvas->width() || up < 0 || up > g.canvas->height())
                return QString("%1 view: a vertex at %2, %3")
                    .arg(editor::viewName(view))
                    .arg(h)
                    .arg(up);
        }
    }
    return {};
}

} // namespace

class MoldrinComfortTest : public QObject {
    Q_OBJECT

  private slots:
    void titleNamesTheFileAndStarsUnsavedChanges() {
        MoldrinWindowFixture f;
        QCOMPARE(f.window->windowTitle(), QString("MDL Moldrin"));
        f.window->openFile(QString::fromStdString(f.modelPath), 2);
        QCOMPARE(f.state().geosetNumber, 2);
        QCOMPARE(f.window->windowTitle(), QString("cube.mdl - MDL Moldrin"));
        f.action("mnuSelectAll")->trigger();
        QCOMPARE(f.window->windowTitle(), QString("cube.mdl - MDL Moldrin")); // selection only
        QTest::mousePress(f.view("pbxFront"), Qt::RightButton, {}, QPoint(105, 100));
        QTest::mouseRelease(f.view("pbxFront"), Qt::RightButton, {}, QPoint(125, 80));
        QCOMPARE(f.window->windowTitle(), QString("cube.mdl* - MDL Moldrin"));
        f.action("mnuSave")->trigger();
        QCOMPARE(f.window->windowTitle(), QString("cube.mdl - MDL Moldrin"));
        QVERIFY(f.window->recentFiles().value(0).endsWith("/cube.mdl"));
        QCOMPARE(f.action("mnuRecentFiles")->menu()->actions().size(), 1);
    }

    void closingWithUnsavedEditsAsksAndCancelKeepsTheWindow() {
        MoldrinWindowFixture f;
        f.openCube();
        f.action("mnuSelectAll")->trigger();
        f.action("mnuSnap")->trigger();
        const std::string copy = f.state().tempPath;

        f.dialogs.choiceAnswers = {"Cancel"};
        f.window->close();
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.dialogs.shown.back().text, std::string("Save changes to cube.mdl?"));
        QVERIFY(std::filesystem::exists(copy));

        f.dialogs.choiceAnswers = {"Discard"};
        f.action("mnuExit")->trigger();
        QVERIFY(!f.window->isVisible());
        QVERIFY(!std::filesystem::exists(copy));
        QVERIFY(!std::filesystem::exists(editor::workingCopyLockPath(copy)));
    }

    void redoFollowsUndoAndKeysReachIt() {
        MoldrinWindowFixture f;
        f.openCube();
        f.action("mnuSelectAll")->trigger();
        const double x = f.state().vertices[0].x;
        QTest::mousePress(f.view("pbxFront"), Qt::RightButton, {}, QPoint(105, 100));
        QTest::mouseRelease(f.view("pbxFront"), Qt::RightButton, {}, QPoint(125, 100));
        const double moved = f.state().vertices[0].x;
        QVERIFY(moved != x);
        QVERIFY(!f.action("mnuRedo")->isEnabled());
        f.action("mnuUndo")->trigger();
        QCOMPARE(f.state().vertices[0].x, x);
        QCOMPARE(f.action("mnuRedo")->text(), QString("Redo Move"));
        QVERIFY(f.action("mnuRedo")->shortcuts().contains(QKeySequence("Ctrl+Shift+Z")));
        QTest::keyClick(f.window.get(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(f.state().vertices[0].x, moved);
        QVERIFY(!f.action("mnuRedo")->isEnabled());
    }

    void fitAllWheelZoomAndSpaceDragPan() {
        MoldrinWindowFixture f;
        f.openCube(); // back at the starting zoom
        f.action("mnuFitAll")->trigger();
        QVERIFY(f.state().zoomFront != 20.0);
        QCOMPARE(verticesOutsideTheViews(f.state()), QString());

        const double zoom = f.state().zoomTop;
        QWheelEvent wheel(QPointF(50, 60), f.view("pbxTop")->mapToGlobal(QPointF(50, 60)), QPoint(),
                          QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(f.view("pbxTop"), &wheel);
        QCOMPARE(f.state().zoomTop, zoom * 1.25);

        const auto panX = f.state().panLeftX;
        const auto undoCaption = f.action("mnuUndo")->text();
        QTest::keyPress(f.window.get(), Qt::Key_Space);
        QTest::mousePress(f.view("pbxLeft"), Qt::RightButton, {}, QPoint(50, 50));
        QTest::mouseMove(f.view("pbxLeft"), QPoint(70, 50));
        QTest::mouseRelease(f.view("pbxLeft"), Qt::RightButton, {}, QPoint(70, 50));
        QTest::keyRelease(f.window.get(), Qt::Key_Space);
        QCOMPARE(f.state().panLeftX, panX + 20 * 15);
        QCOMPARE(f.action("mnuUndo")->text(), undoCaption); // no transform ran
    }

    void dragsShowTheirResultBeforeTheReleaseAndRecordNothingUntilThen() {
        MoldrinWindowFixture f;
        f.openCubeArmed();
        // The left button draws the selection box while held.
        QTest::mousePress(f.view("pbxFront"), Qt::LeftButton, {}, QPoint(20, 20));
        QTest::mouseMove(f.view("pbxFront"), QPoint(60, 40));
        QVERIFY(colourIn(f.view("pbxFront")->image(), red, QRect(30, 19, 10, 3)));
        QVERIFY(!f.action("mnuUndo")->isEnabled());
        QTest::mouseRelease(f.view("pbxFront"), Qt::LeftButton, {}, QPoint(60, 40));
        QVERIFY(!colourIn(f.view("pbxFront")->image(), red, QRect(30, 19, 10, 3)));

        // Another button shows the selection where the transform would put it.
        f.action("mnuSelectAll")->trigger();
        const auto before = f.state().vertices;
        const auto steps = f.state().undoHistory.size();
        QTest::mousePress(f.view("pbxTop"), Qt::RightButton, {}, QPoint(100, 100));
        const QImage still = f.view("pbxTop")->image();
        QTest::mouseMove(f.view("pbxTop"), QPoint(140, 100));
        QVERIFY(f.view("pbxTop")->image() != still);
        QCOMPARE(f.state().vertices, before);
        QCOMPARE(f.state().undoHistory.size(), steps);
        QTest::mouseRelease(f.view("pbxTop"), Qt::RightButton, {}, QPoint(140, 100));
        QCOMPARE(f.state().undoHistory.size(), steps + 1);
        QCOMPARE(f.state().vertices[0].x, before[0].x + 40 * 15 / 20.0);
    }

    void readOutsHoldTheLongestCoordinate() {
        MoldrinWindowFixture f;
        for (const char* name : {"txtX", "txtY", "txtZ"}) {
            auto* box = f.window->findChild<QLineEdit*>(name);
            const int needed = QFontMetrics(box->font()).horizontalAdvance("-2147483647.999");
            QVERIFY2(needed + 6 <= box->width(),
                     qPrintable(QString("%1: %2 of %3").arg(name).arg(needed).arg(box->width())));
        }
    }

    void corpusModelsOpenFittedInAllThreeViews() {
        const std::filesystem::path corpus(MOLDRIN_CORPUS_DIR);
        if (!std::filesystem::is_directory(corpus))
            QSKIP("the model corpus is not beside the checkout");
        MoldrinWindowFixture f;
        int opened = 0;
        for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
            if (entry.path().extension() != ".mdl")
                continue;
            f.window->openFile(QString::fromStdString(entry.path().string()), 1);
            if (!f.state().modelLoaded || f.state().modelPath != entry.path().string())
                continue; // a model the reader refuses says so; the rest must fit
            ++opened;
            QVERIFY2(verticesOutsideTheViews(f.state()).isEmpty(),
                     qPrintable(QString::fromStdString(entry.path().filename().string()) + ": " +
                                verticesOutsideTheViews(f.state())));
            QVERIFY(f.window->windowTitle().startsWith(
                QString::fromStdString(entry.path().filename().string())));
        }
        QVERIFY(opened >= 5);
    }
};

QTEST_MAIN(MoldrinComfortTest)
#include "moldrin_comfort_test.moc"
