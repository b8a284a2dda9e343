// The main window's views: drawing, zoom and pan buttons, mouse drags, markers, read-outs and
// the arming timer.
#include "moldrin_window_fixture.h"

#include <QTimer>

namespace {

const QRgb white = qRgb(255, 255, 255);
const QRgb red = qRgb(255, 0, 0);
const QRgb blue = qRgb(0, 0, 255);

bool allWhite(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != white)
                return false;
    return true;
}

// Whether a pixel of the colour lies within the rectangle (inclusive).
bool colourIn(const QImage& image, QRgb colour, QRect area) {
    area = area.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) == colour)
                return true;
    return false;
}

struct Position {
    double x, y, z;
};

Position positionOf(const editor::VertexRecord& vertex) {
    return {vertex.x, vertex.y, vertex.z};
}

} // namespace

class MoldrinViewsTest : public QObject {
    Q_OBJECT

  private slots:
    void viewsStayBlankUntilAGeosetIsReadThenShowIt() {
        MoldrinWindowFixture f;
        QVERIFY(allWhite(f.view("pbxFront")->image()));
        QTest::mouseClick(f.button("cmdZoomInFront"), Qt::LeftButton);
        QVERIFY(allWhite(f.view("pbxFront")->image()));

        f.openCube();
        for (const char* name : {"pbxFront", "pbxTop", "pbxLeft"}) {
            const QImage image = f.view(name)->image();
            QCOMPARE(image.size(), QSize(209, 201));
            QVERIFY2(!allWhite(image), name);
        }
    }

    void theWorkedExamplePointIsDrawnWhereTheCoreProjectsIt() {
        MoldrinWindowFixture f;
        f.openCube();
        // Vertex 1 moved to x = 1, y = 2 and selected: its red square is centred on view
        // position (1588, 1468), pixel (105.9, 97.9).
        auto& vertex = f.state().vertices[0];
        vertex.x = 1;
        vertex.y = 2;
        vertex.selected = true;
        f.action("mnuShowNormals")->trigger();
        const QImage image = f.view("pbxFront")->image();
        QVERIFY(colourIn(image, red, QRect(104, 96, 4, 4)));
        // Red elsewhere only in the label's x arm, in the bottom-left corner.
        QVERIFY(!colourIn(image, red, QRect(0, 0, 100, 180)));
        QVERIFY(!colourIn(image, red, QRect(110, 0, 99, 95)));
    }

    void zoomInElevenTimesThenNoFurther() {
        MoldrinWindowFixture f;
        f.openCube();
        const long before = f.state().redrawCount;
        for (int i = 0; i < 12; ++i)
            QTest::mouseClick(f.button("cmdZoomInFront"), Qt::LeftButton);
        QVERIFY(qAbs(f.state().zoomFront - 232.83) < 0.01);
        QCOMPARE(f.state().redrawCount, before + 11);
        QCOMPARE(f.state().zoomTop, 20.0);
        QTest::mouseClick(f.button("cmdZoomOutTop"), Qt::LeftButton);
        QCOMPARE(f.state().zoomTop, 16.0);
    }

    void panBeforeLoadingShowsInTheFirstDrawing() {
        MoldrinWindowFixture f;
        QTest::mouseClick(f.button("cmdPanUF"), Qt::LeftButton);
        QTest::mouseClick(f.button("cmdPanRT"), Qt::LeftButton);
        QCOMPARE(f.state().panFrontY, 300);
        QCOMPARE(f.state().panTopX, -300);
        QVERIFY(allWhite(f.view("pbxFront")->image()));
        // Opening fits the geoset into the views, whatever the pan was.
    }

    void rightDragsMoveAlongTheViewsAxes() {
        MoldrinWindowFixture f;
        f.openCube();
        f.action("mnuSelectAll")->trigger();
        // 20 pixels right and 20 up: 300 twips, 15 model units at zoom 20.
        const struct {
            const char* view;
            Position move;
        } drags[] = {{"pbxFront", {15, 15, 0}}, {"pbxTop", {15, 0, 15}}, {"pbxLeft", {0, 15, 15}}};
        for (const auto& drag : drags) {
            const Position start = positionOf(f.state().vertices[3]);
            QTest::mousePress(f.view(drag.view), Qt::RightButton, {}, QPoint(105, 100));
            QTest::mouseRelease(f.view(drag.view), Qt::RightButton, {}, QPoint(125, 80));
            const Position end = positionOf(f.state().vertices[3]);
            QCOMPARE(end.x - start.x, drag.move.x);
            QCOMPARE(end.y - start.y, drag.move.y);
            QCOMPARE(end.z - start.z, drag.move.z);
            QCOMPARE(f.action("mnuUndo")->text(), QString("Undo Move"));
        }
        // The press point is converted with the view's own size and zoom: 0.375 for (105, 100).
        QCOMPARE(f.state().dragStartH, 0.375);
        QCOMPARE(f.state().dragStartV, 0.375);
    }

    void leftDragSelectsTheSameBoxInEitherDirection() {
        MoldrinWindowFixture f;
        f.openCubeArmed();
        // A box around the right-hand side of the cube (editor x = 10) in the front view.
        QTest::mousePress(f.view("pbxFront"), Qt::LeftButton, {}, QPoint(125, 110));
        QTest::mouseRelease(f.view("pbxFront"), Qt::LeftButton, {}, QPoint(110, 65));
        QCOMPARE(f.selectedCount(), 12);
        std::vector<bool> firstSelection;
        for (const auto& vertex : f.state().vertices)
            firstSelection.push_back(vertex.selected);
        QCOMPARE(f.action("mnuUndo")->text(), QString("Undo Selection"));

        f.action("mnuInvertSelection")->trigger();
        QTest::mousePress(f.view("pbxFront"), Qt::LeftButton, {}, QPoint(110, 65));
        QTest::mouseRelease(f.view("pbxFront"), Qt::LeftButton, {}, QPoint(125, 110));
        for (std::size_t i = 0; i < firstSelection.size(); ++i)
            QCOMPARE(bool(f.state().vertices[i].selected), bool(firstSelection[i]));
        QVERIFY(colourIn(f.view("pbxFront")->image(), red, QRect(110, 60, 15, 50)));
    }

    void boxSelectionWaitsForTheArmingTimer() {
        MoldrinWindowFixture f;
        auto* timer = f.window->findChild<QTimer*>("tmrTime");
        QVERIFY(timer);
        QVERIFY(!timer->isActive());
        QCOMPARE(timer->interval(), 100);
        QVERIFY(timer->isSingleShot());

        f.openCube();
        QVERIFY(timer->isActive());
        QVERIFY(!f.state().mouseArmed);
        QTest::mousePress(f.view("pbxTop"), Qt::LeftButton, {}, QPoint(1, 1));
        QTest::mouseRelease(f.view("pbxTop"), Qt::LeftButton, {}, QPoint(208, 200));
        QCOMPARE(f.selectedCount(), 0);
        QVERIFY(!f.action("mnuUndo")->isEnabled());

        QTRY_VERIFY(f.state().mouseArmed);
        QTest::mousePress(f.view("pbxTop"), Qt::LeftButton, {}, QPoint(1, 1));
        QTest::mouseRelease(f.view("pbxTop"), Qt::LeftButton, {}, QPoint(208, 200));
        QCOMPARE(f.selectedCount(), static_cast<int>(f.state().vertices.size()));
    }

    void graphicalMarkerGoesToTheReleasePoint() {
        MoldrinWindowFixture f;
        f.openCubeArmed();
        f.action("mnuAddMarkerGraphically")->trigger();
        QVERIFY(f.action("mnuAddMarkerGraphically")->isChecked());

        QTest::mousePress(f.view("pbxTop"), Qt::LeftButton, {}, QPoint(60, 60));
        QTest::mouseRelease(f.view("pbxTop"), Qt::LeftButton, {}, QPoint(125, 80));
        const auto& marker = f.state().markers[1];
        QVERIFY(marker.used);
        QCOMPARE(marker.x, 15.375);
        QCOMPARE(marker.z, 15.375);
        QCOMPARE(marker.y, 0.0);
        QVERIFY(!f.action("mnuAddMarkerGraphically")->isChecked());
        QVERIFY(!f.state().placingMarker);
        QVERIFY(!f.action("mnuUndo")->isEnabled());
        QCOMPARE(f.selectedCount(), 0);
        // The marker's circle and cross are drawn at pixel (125, 80) of the top view.
        QVERIFY(colourIn(f.view("pbxTop")->image(), blue, QRect(123, 78, 5, 5)));
    }

    void readOutsShowTheFileAxesUnderThePointer() {
        MoldrinWindowFixture f;
        f.action("mnuEnableTips")->trigger();
        f.hover(f.view("pbxTop"), QPoint(110, 130));
        QCOMPARE(f.text("txtX"), QString());
        QCOMPARE(f.text("txtTips"), QString()); // the views ignore the mouse before a read

        f.openCube();
        f.hover(f.view("pbxTop"), QPoint(110, 130));
        // Top view: across is editor x (file Y, txtY), up is editor z (file X, txtX).
        QCOMPARE(f.text("txtX"), QString("-22.125"));
        QCOMPARE(f.text("txtY"), QString("4.125"));
        QCOMPARE(f.text("txtZ"), QString("0"));
        QCOMPARE(f.text("txtTips"), QString("Top viewport"));

        f.hover(f.view("pbxLeft"), QPoint(105, 100));
        QCOMPARE(f.text("txtX"), QString("0.375"));
        QCOMPARE(f.text("txtY"), QString("0"));
        QCOMPARE(f.text("txtZ"), QString("0.375"));
        QCOMPARE(f.text("txtTips"), QString("Left viewport"));
    }

    void aResizedViewIsRedrawnAtItsNewSize() {
        MoldrinWindowFixture f;
        f.openCube();
        f.window->resize(f.window->width() + 100, f.window->height() + 100);
        QTRY_COMPARE(f.view("pbxLeft")->size(), QSize(259, 251));
        const QImage image = f.view("pbxLeft")->image();
        QCOMPARE(image.size(), QSize(259, 251));
        QVERIFY(!allWhite(image));
        // The mouse now converts with the larger size: the centre pixel is near the origin.
        f.hover(f.view("pbxLeft"), QPoint(129, 125));
        QCOMPARE(f.text("txtX"), QString("-0.375"));
        QCOMPARE(f.text("txtZ"), QString("0.375"));
    }
};

QTEST_MAIN(MoldrinViewsTest)
#include "moldrin_views_test.moc"
