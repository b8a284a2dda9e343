// The Qt canvas paints a picture by copying its pixels, not by blending it with what lies
// beneath.
#include "common/qt/QtCanvas.h"
#include "common/rgba_image.h"

#include <QtTest>

#include <memory>

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
};

QTEST_MAIN(CanvasPictureTest)
#include "canvas_picture_test.moc"
