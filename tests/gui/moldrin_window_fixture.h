#pragma once

#include "common/scripted_dialogs.h"
#include "editor/interaction/command_effects.h"
#include "editor/qt/FrmMoldrin.h"
#include "editor/qt/ViewportWidget.h"
#include "support/temp_folder.h"

#include <QAbstractButton>
#include <QAction>
#include <QLineEdit>
#include <QSettings>
#include <QTest>

#include <memory>
#include <optional>
#include <string>

// A shown main window answered by scripted dialogs, with a copy of the cube example in a fresh
// folder (opening writes the working copy next to the model).
struct MoldrinWindowFixture {
    testing_support::TempFolder folder;
    common::ScriptedDialogs dialogs;
    std::unique_ptr<editor::FrmMoldrin> window;
    std::string modelPath;

    MoldrinWindowFixture() {
        modelPath = folder.copyIn(std::string(MOLDRIN_EXAMPLES_DIR) + "/cube.mdl", "cube.mdl");
        // The recent files go to the test's own folder, not the user's settings.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(folder.file("settings")));
        window = std::make_unique<editor::FrmMoldrin>(&dialogs);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    editor::EditorState& state() { return window->state(); }

    QAction* action(const char* name) { return window->findChild<QAction*>(name); }
    QAbstractButton* button(const char* name) { return window->findChild<QAbstractButton*>(name); }
    editor::ViewportWidget* view(const char* name) {
        return window->findChild<editor::ViewportWidget*>(name);
    }
    QString text(const char* box) { return window->findChild<QLineEdit*>(box)->text(); }

    // File > Open of the cube's first geoset; the arming timer is left running. Opening fits
    // the geoset into the views; the worked examples start from the starting zoom and pan, so
    // those come back.
    void openCube() {
        dialogs.setAnswers({modelPath, "1"});
        action("mnuOpen")->trigger();
        auto& s = state();
        s.zoomFront = s.zoomTop = s.zoomLeft = 20.0;
        s.panFrontX = s.panFrontY = s.panTopX = s.panTopY = s.panLeftX = s.panLeftY = 0;
        s.changed(editor::allViews);
        editor::finishCommand(s);
    }

    // Opens the cube and waits until box selection is armed.
    void openCubeArmed() {
        openCube();
        QTRY_VERIFY(state().mouseArmed);
    }

    // Moves the pointer over a widget (its centre by default) the way the window system does,
    // so the event goes to whatever lies under the pointer.
    void hover(QWidget* widget, std::optional<QPoint> position = std::nullopt) {
        const QPoint local = position ? *position : widget->rect().center();
        // A move to where the pointer already is sends no event: come from one pixel aside.
        QTest::mouseMove(window->windowHandle(), widget->mapTo(window.get(), local) - QPoint(1, 0));
        QTest::mouseMove(window->windowHandle(), widget->mapTo(window.get(), local));
    }

    int selectedCount() {
        int n = 0;
        for (const auto& vertex : state().vertices)
            n += vertex.selected ? 1 : 0;
        return n;
    }
};
