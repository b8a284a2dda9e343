// The main window's 3D view. On a platform without OpenGL (the offscreen one, where the tests
// run) it says so in words, takes its quarter of the window, and the rest of the editor works
// without it. Where OpenGL is there (a display with Mesa), its gestures and live updates are
// checked too.
#include "editor/qt/PreviewWidget.h"
#include "moldrin_window_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QOpenGLWidget>
#include <QPushButton>
#include <QSlider>

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

    void withOpenGlTheGesturesMoveOnlyTheCameraAndEditsShowAtOnce() {
        MoldrinWindowFixture f;
        auto* preview = f.window->findChild<editor::PreviewWidget*>("pbxPreview");
        if (!preview->drawing())
            QSKIP("no OpenGL on this platform");
        f.openCube();
        auto* view = preview->findChild<QOpenGLWidget*>();
        QVERIFY(view);
        auto& state = f.state();
        QVERIFY(state.previewShown);
        QVERIFY(!state.previewScene.meshes.empty());
        const auto fitted = state.previewCamera;
        const QPoint centre = view->rect().center();

        QWheelEvent wheel(centre, view->mapToGlobal(centre), {}, {0, 120}, Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(view, &wheel);
        QVERIFY(state.previewCamera.distance < fitted.distance);

        QTest::mousePress(view, Qt::LeftButton, {}, centre);
        QTest::mouseMove(view, centre + QPoint(40, 0));
        QTest::mouseRelease(view, Qt::LeftButton, {}, centre + QPoint(40, 0));
        QVERIFY(state.previewCamera.yaw != fitted.yaw);
        QCOMPARE(state.previewCamera.target, fitted.target);

        QTest::mousePress(view, Qt::LeftButton, Qt::ShiftModifier, centre);
        QTest::mouseMove(view, centre + QPoint(0, 30));
        QTest::mouseRelease(view, Qt::LeftButton, Qt::ShiftModifier, centre + QPoint(0, 30));
        QVERIFY(state.previewCamera.target != fitted.target);
        // The orthographic views did not move.
        QCOMPARE(state.zoomFront, 20.0);

        f.action("mnuReset3DView")->trigger();
        QCOMPARE(state.previewCamera.yaw, fitted.yaw);
        QCOMPARE(state.previewCamera.target, fitted.target);

        // An edit: the edited mesh is built again and drawn.
        const auto revision = state.previewScene.revision;
        const QImage before = view->grabFramebuffer();
        f.action("mnuSelectAll")->trigger();
        state.changed(editor::Change::Geometry);
        for (auto& vertex : state.vertices)
            vertex.y += 0.5;
        editor::finishCommand(state);
        preview->refresh();
        QVERIFY(state.previewScene.revision != revision);
        QTRY_VERIFY(view->grabFramebuffer() != before);
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

    void theAnimationBarPlaysTheSequencesAndStopsWhileTheWindowIsHidden() {
        MoldrinWindowFixture f;
        auto* preview = f.window->findChild<editor::PreviewWidget*>("pbxPreview");
        if (!preview->drawing())
            QSKIP("no OpenGL on this platform");
        const auto pyramid =
            f.folder.copyIn(std::string(MOLDRIN_EXAMPLES_DIR) + "/pyramid.mdl", "pyramid.mdl");
        f.dialogs.setAnswers({pyramid, "1"});
        f.action("mnuOpen")->trigger();
        auto& playback = f.state().previewPlayback;
        auto* sequences = preview->findChild<QComboBox*>("cboSequence");
        auto* play = preview->findChild<QPushButton*>("cmdPlay");
        auto* time = preview->findChild<QSlider*>("sldTime");
        QVERIFY(sequences && play && time);
        QCOMPARE(sequences->count(), 3);
        QCOMPARE(sequences->itemText(0), QString("(bind pose)"));
        QCOMPARE(sequences->itemText(2), QString("Spin (1000 ms)"));
        QVERIFY(!play->isEnabled());

        sequences->activated(2);
        QCOMPARE(playback.sequence, 1);
        QCOMPARE(time->maximum(), 1000);
        time->setValue(500);
        QCOMPARE(playback.time, 500.0);
        QCOMPARE(preview->findChild<QLabel*>("lblFrame")->text(), QString("frame 1500"));
        preview->findChild<QCheckBox*>("chkSkeleton")->click();
        QVERIFY(playback.skeleton);
        preview->findChild<QComboBox*>("cboTeamColour")->activated(3);
        QCOMPARE(playback.teamColour, 3);
        preview->findChild<QComboBox*>("cboSpeed")->activated(0);
        QCOMPARE(playback.speed, 0.25);

        play->click();
        QVERIFY(playback.playing);
        QCOMPARE(play->text(), QString("Pause"));
        QTRY_VERIFY(playback.time != 500.0); // the window's timer moves it on
        // Hidden, the window's clock stops; Space in the view pauses.
        f.window->hide();
        const double hiddenAt = playback.time;
        QTest::qWait(150);
        QCOMPARE(playback.time, hiddenAt);
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        QTRY_VERIFY(playback.time != hiddenAt);
        auto* view = preview->findChild<QOpenGLWidget*>();
        view->setFocus();
        QTest::keyClick(view, Qt::Key_Space);
        QVERIFY(!playback.playing);
        QCOMPARE(play->text(), QString("Play"));
    }
};

QTEST_MAIN(MoldrinPreviewTest)
#include "moldrin_preview_test.moc"
