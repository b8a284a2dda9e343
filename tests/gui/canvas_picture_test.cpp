// The Qt canvas paints a picture by copying its pixels, not by blending it with what lies
// beneath; it draws a mesh's edges exactly as it draws each line on its own.
#include "common/qt/QtCanvas.h"
#include "common/rgba_image.h"

#include <QtTest>

#include <memory>
#include <random>
#include <vector>

class CanvasPictureTest : public QObject {
    Q_OBJECT

  private slots:
    void aPictureIsCopiedOverTheBackground() {
        auto picture = std::make_shared<common::RgbaImage>(1, 1);
        const std::uint8_t halfRed[] = {255, 0, 0, 128};
        std::copy(std::begin(halfRed), std::end(halfRed), picture->at(0, 0));
        common::ImageCanvas canvas(8, 8, 1, QColor(255, 255, 255));
        canvas.clear();
        canvas.stretchedPicture(picture, 0, 0, 8, 8);
        const QColor shown = canvas.image().pixelColor(4, 4);
        // Blended with the white beneath it would be (255, 127, 127).
        QCOMPARE(shown.green(), 0);
        QCOMPARE(shown.blue(), 0);
        QVERIFY(shown.red() >= 127 && shown.red() <= 129);
    }

    // Random meshes in twips, partly off the surface and partly far beyond it, with long and
    // short edges: the edges drawn in one call give the image of the same lines one by one.
    void edgesDrawAsTheirLinesDo() {
        std::mt19937 random(11);
        std::uniform_real_distribution<double> near(-1500, 10500);
        std::uniform_real_distribution<double> far(-1e7, 1e7);
        for (int round = 0; round < 20; ++round) {
            std::vector<common::CanvasPoint> points(300);
            for (std::size_t i = 0; i < points.size(); ++i)
                points[i] = i % 50 == 0 ? common::CanvasPoint{far(random), near(random)}
                                        : common::CanvasPoint{near(random) / (round % 3 + 1),
                                                              near(random) / (round % 3 + 1)};
            std::uniform_int_distribution<int> index(0, 299);
            std::vector<common::CanvasEdge> edges(900);
            for (auto& edge : edges)
                edge = {index(random), index(random)};
            common::ImageCanvas together(640, 600, 15, Qt::white);
            common::ImageCanvas oneByOne(640, 600, 15, Qt::white);
            together.clear();
            oneByOne.clear();
            together.edges(points, edges, {0, 0, 0});
            for (const auto& edge : edges) {
                const auto& a = points[static_cast<std::size_t>(edge.from)];
                const auto& b = points[static_cast<std::size_t>(edge.to)];
                oneByOne.line(a.x, a.y, b.x, b.y, {0, 0, 0});
            }
            QCOMPARE(together.image(), oneByOne.image());
            common::ImageCanvas blank(640, 600, 15, Qt::white);
            blank.clear();
            QVERIFY(together.image() != blank.image());
        }
    }

    // A rectangle outline on whole pixels is the four lines along its sides, inside the surface,
    // across its edges or beyond them.
    void rectanglesDrawAsTheirFourSides() {
        std::mt19937 random(12);
        std::uniform_int_distribution<int> cornerPixel(-40, 680);
        std::uniform_int_distribution<int> sizePixels(0, 30);
        const auto corner = [&](std::mt19937& r) { return 15.0 * cornerPixel(r); };
        const auto size = [&](std::mt19937& r) { return 15.0 * sizePixels(r); };
        common::ImageCanvas boxes(640, 600, 15, Qt::white);
        common::ImageCanvas sides(640, 600, 15, Qt::white);
        boxes.clear();
        sides.clear();
        for (int i = 0; i < 3000; ++i) {
            const double x1 = corner(random), y1 = corner(random);
            const double x2 = x1 + size(random), y2 = y1 + size(random);
            const common::Colour colour{static_cast<std::uint8_t>(i % 7 * 30), 0, 0};
            boxes.rectangle(x1, y1, x2, y2, colour);
            sides.line(x1, y1, x2, y1, colour);
            sides.line(x2, y1, x2, y2, colour);
            sides.line(x2, y2, x1, y2, colour);
            sides.line(x1, y2, x1, y1, colour);
        }
        QCOMPARE(boxes.image(), sides.image());
    }
};

QTEST_MAIN(CanvasPictureTest)
#include "canvas_picture_test.moc"
