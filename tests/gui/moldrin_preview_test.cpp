// The main window's 3D view on a platform without OpenGL (the offscreen one): it says so in
// words, takes its quarter of the window, and the rest of the editor works without it.
#include "editor/qt/PreviewWidget.h"
#include "moldrin_window_fixture.h"

#include <QLabel>

class MoldrinPreviewTest : public QObject {
    Q_OBJECT

  private slots:
    void withoutOpenGlTheQuarterSaysSoAndNothingIsBuilt() {
        MoldrinWindowFixture f;
        auto* preview = f.window->findChild<editor::PreviewWidget*>("pbxPreview");
        QVERIFY(preview);
        if (preview->drawing())
            QSKIP("this platform makes OpenGL contexts; the fallback is not shown");
        QVERIFY(preview->unavailableText().contains("OpenGL"));
        auto* label = preview->findChild<QLabel*>();
        QVERIFY(label && label->isVisible());
        QCOMPARE(label->text(), preview->unavailableText());

        f.openCube();
        QVERIFY(!f.state().previewShown);
        QVERIFY(f.state().previewScene.meshes.empty());
        // Editing goes on as before.
        f.action("mnuSelectAll")->trigger();
        QVERIFY(f.selectedCount() > 0);
        f.action("mnuReset3DView")->trigger();
        QVERIFY(f.selectedCount() > 0);
    }

    void theViewFillsTheLowerRightQuarterAndFollowsTheWindow() {
        MoldrinWindowFixture f;
        auto* preview = f.window->findChild<QWidget*>("pbxPreview");
        auto* top = f.window->findChild<QWidget*>("pbxTop");
        auto* left = f.window->findChild<QWidget*>("pbxLeft");
        auto check = [&] {
            QCOMPARE(preview->x(), top->x());
            QCOMPARE(preview->y(), left->y());
            QCOMPARE(preview->height(), left->height());
            QVERIFY(preview->width() > top->width());
        };
        check();
        f.window->resize(f.window->width() + 200, f.window->height() + 100);
        QTRY_COMPARE(preview->height(), left->height());
        QTRY_VERIFY(left->height() > 201);
        check();
    }
};

QTEST_MAIN(MoldrinPreviewTest)
#include "moldrin_preview_test.moc"
