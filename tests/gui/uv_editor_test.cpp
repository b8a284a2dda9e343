// The "Texture Coordinate Editor" window on the offscreen platform: its controls and menu, the
// main window going out of use while it is open, mouse selection and transforms, the buttons,
// Remap and Save Changes, and background pictures loaded from JPEG, GIF and BMP files.

#include "editor/qt/FrmUVEditor.h"
#include "editor/qt/ToolButtonWidget.h"

#include "common/scripted_dialogs.h"
#include "editor/interaction/editor_state.h"
#include "editor/uv/uv_window.h"
#include "support/temp_folder.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QtTest>

#include <cmath>
#include <memory>

using editor::FrmUVEditor;

namespace {

// A 1 x 1 GIF whose one pixel is green (Qt reads GIF but does not write it).
const unsigned char greenGif[] = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01,
                                  0x00, 0x80, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00,
                                  0x00, 0x2C, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01,
                                  0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3B};

std::string saveSolidPicture(const testing_support::TempFolder& folder, const char* name,
                             const char* format, QColor colour) {
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(colour);
    const auto path = folder.file(name);
    if (!image.save(QString::fromStdString(path), format))
        qFatal("cannot write %s", name);
    return path;
}

bool near(QColor actual, QColor expected) {
    return std::abs(actual.red() - expected.red()) <= 8 &&
           std::abs(actual.green() - expected.green()) <= 8 &&
           std::abs(actual.blue() - expected.blue()) <= 8;
}

void sendMouse(QWidget* widget, QEvent::Type type, Qt::MouseButton button, QPointF position) {
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::MouseButtons();
    QMouseEvent event(type, position, widget->mapToGlobal(position), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void drag(QWidget* widget, Qt::MouseButton button, QPointF from, QPointF to) {
    sendMouse(widget, QEvent::MouseButtonPress, button, from);
    sendMouse(widget, QEvent::MouseMove, Qt::NoButton, to);
    sendMouse(widget, QEvent::MouseButtonRelease, button, to);
}

} // namespace

class UvEditorTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QWidget> mainWindow;
    editor::EditorState state;
    common::ScriptedDialogs dialogs;

    template <typename T> T* child(QObject* window, const char* name) {
        auto* found = window->findChild<T*>(name);
        if (!found)
            qFatal("no control %s", name);
        return found;
    }

    void addVertex(double x, double y, double u, double v, bool selected = false) {
        editor::VertexRecord vertex;
        vertex.x = x;
        vertex.y = y;
        vertex.u = u;
        vertex.v = v;
        vertex.selected = selected;
        state.vertices.push_back(vertex);
    }

    FrmUVEditor* open() {
        auto* window = FrmUVEditor::openFor(state, mainWindow.get());
        window->uvState().dialogs = &dialogs;
        return window;
    }

    void click(FrmUVEditor* window, const char* name) {
        QTest::mouseClick(child<QPushButton>(window, name), Qt::LeftButton);
    }

    QColor viewPixel(FrmUVEditor* window, int x, int y) {
        return child<QWidget>(window, "pbxUVView")->grab().toImage().pixelColor(x, y);
    }

    // True when a red pixel lies within 3 pixels of the point.
    bool redAround(FrmUVEditor* window, int x, int y) {
        const QImage image = child<QWidget>(window, "pbxUVView")->grab().toImage();
        for (int dy = -3; dy <= 3; ++dy)
            for (int dx = -3; dx <= 3; ++dx)
                if (image.pixelColor(x + dx, y + dy) == QColor(255, 0, 0))
                    return true;
        return false;
    }

  private slots:
    void init() {
        mainWindow = std::make_unique<QWidget>();
        mainWindow->show();
        state = editor::EditorState();
        state.modelLoaded = true;
        dialogs = common::ScriptedDialogs();
        addVertex(-10, 0, 0.25, 0.25);
        addVertex(10, 20, 0.75, 0.75);
        addVertex(0, 10, 0.75, 0.25);
        state.faces.push_back({0, 1, 2, false});
    }

    void cleanup() { mainWindow.reset(); }

    void controlsCarryTheirNamesCaptionsAndPlaces() {
        auto* window = open();
        QCOMPARE(window->windowTitle(), QString("Texture Coordinate Editor"));
        QCOMPARE(window->objectName(), QString("frmUVEditor"));
        QCOMPARE(child<QWidget>(window, "pbxUVView")->geometry(), QRect(8, 8, 401, 377));
        const struct {
            const char* name;
            const char* caption;
            QRect place;
        } buttons[] = {{"cmdLoadImg", "Load Image", {416, 0, 89, 25}},
                       {"cmdSelect", "Select", {416, 40, 89, 25}},
                       {"cmdAdd", "Add", {416, 72, 89, 25}},
                       {"cmdDeselect", "Deselect", {416, 104, 89, 25}},
                       {"cmdMove", "Move", {416, 144, 89, 25}},
                       {"cmdRotate", "Rotate", {416, 176, 89, 25}},
                       {"cmdScale", "Scale", {416, 208, 89, 25}},
                       {"cmdUVX", "X", {416, 248, 41, 25}},
                       {"cmdUVY", "Y", {464, 248, 41, 25}},
                       {"cmdRemap", "Remap", {416, 312, 89, 25}},
                       {"cmdSaveUVChanges", "Save Changes", {416, 352, 89, 25}},
                       {"cmdUVUp", "", {296, 392, 16, 24}},
                       {"cmdUVLeft", "", {280, 408, 16, 24}},
                       {"cmdUVRight", "", {320, 408, 16, 24}},
                       {"cmdUVDown", "", {296, 432, 16, 24}},
                       {"cmdUVZoomIn", "+", {352, 400, 17, 20}},
                       {"cmdUVZoomOut", "-", {352, 424, 17, 20}}};
        for (const auto& button : buttons) {
            auto* control = child<QPushButton>(window, button.name);
            QCOMPARE(control->text(), QString(button.caption));
            QCOMPARE(control->geometry(), button.place);
        }
        auto* view = child<QComboBox>(window, "cboView");
        QCOMPARE(view->currentText(), QString("Top"));
        QCOMPARE(view->count(), 3);
        QCOMPARE(view->itemText(1), QString("Front"));
        QCOMPARE(view->itemText(2), QString("Left"));
        QVERIFY(view->isEditable());
        QCOMPARE(child<QLineEdit>(window, "txtUVX")->text(), QString("0"));
        QCOMPARE(child<QLineEdit>(window, "txtUVY")->geometry(), QRect(88, 392, 73, 19));

        auto* edit = child<QMenu>(window, "mnuEdit");
        QCOMPARE(edit->title(), QString("Edit"));
        const auto actions = edit->actions();
        QCOMPARE(actions.size(), 5);
        QCOMPARE(actions[0]->text(), QString("Undo"));
        QCOMPARE(actions[1]->text(), QString("Redo"));
        QVERIFY(actions[2]->isSeparator());
        QCOMPARE(actions[3]->text(), QString("Select All"));
        QCOMPARE(actions[4]->text(), QString("Invert Selection"));
        QVERIFY(!actions[0]->isEnabled()); // nothing to undo yet
    }

    void undoAndRedoOfADragInTheTextureEditor() {
        auto* window = open();
        child<QAction>(window, "mnuSelectAll")->trigger();
        auto* undo = child<QAction>(window, "mnuUndo");
        auto* redo = child<QAction>(window, "mnuRedo");
        drag(child<QWidget>(window, "pbxUVView"), Qt::RightButton, {100, 100}, {140, 100});
        const auto moved = window->uvState().texU;
        QVERIFY(moved[0] != 0.25);
        QVERIFY(undo->isEnabled());
        QCOMPARE(undo->text(), QString("Undo Move"));
        undo->trigger();
        QCOMPARE(window->uvState().texU[0], 0.25);
        QCOMPARE(redo->text(), QString("Redo Move"));
        QVERIFY(!undo->isEnabled());
        redo->trigger();
        QCOMPARE(window->uvState().texU, moved);
        window->close();
    }

    void mainWindowTakesNoInputWhileTheEditorIsOpen() {
        auto* window = open();
        QVERIFY(window->isVisible());
        QVERIFY(!mainWindow->isEnabled());
        QVERIFY(window->isEnabled());
        window->close();
        QVERIFY(mainWindow->isEnabled());
        QVERIFY(!window->isVisible());
        QCOMPARE(open(), window); // created once, kept while closed
        QVERIFY(!mainWindow->isEnabled());
    }

    void mouseSelectsMovesAndShowsTheReadOuts() {
        auto* window = open();
        auto* view = child<QWidget>(window, "pbxUVView");
        drag(view, Qt::LeftButton, {150, 150}, {50, 50}); // around (0.25, 0.25)
        auto& uv = window->uvState();
        QCOMPARE(uv.uvSelected, (std::vector<bool>{true, false, false}));
        QVERIFY(redAround(window, 100, 94)); // the selected vertex's square
        QVERIFY(!redAround(window, 301, 283));

        drag(view, Qt::RightButton, {100, 100}, {140, 100});
        QCOMPARE(uv.texU[0], 0.25 + 40.0 / 401);
        QCOMPARE(uv.texU[1], 0.75);
        QCOMPARE(state.vertices[0].u, 0.25); // not yet saved

        sendMouse(view, QEvent::MouseMove, Qt::NoButton, {1, 0});
        QCOMPARE(child<QLineEdit>(window, "txtUVX")->text(), QString("0.002494"));
        QCOMPARE(child<QLineEdit>(window, "txtUVY")->text(), QString("0"));

        click(window, "cmdSaveUVChanges");
        QCOMPARE(state.vertices[0].u, 0.25 + 40.0 / 401);
        window->close();
        QCOMPARE(state.vertices[0].u, 0.25 + 40.0 / 401);
    }

    void closingWithoutSavingDiscardsTheEdits() {
        auto* window = open();
        child<QAction>(window, "mnuSelectAll")->trigger();
        click(window, "cmdUVZoomIn");
        drag(child<QWidget>(window, "pbxUVView"), Qt::RightButton, {100, 100}, {140, 100});
        QVERIFY(window->uvState().texU[0] != 0.25);
        window->close();
        QCOMPARE(state.vertices[0].u, 0.25);
        open();
        QCOMPARE(window->uvState().texU[0], 0.25);
        QCOMPARE(window->uvState().uvSelected, (std::vector<bool>{false, false, false}));
        QCOMPARE(window->uvState().uvZoom, 1.0);
    }

    void modeButtonsShowTheModes() {
        auto* window = open();
        auto colour = [&](const char* name) {
            return child<QPushButton>(window, name)->palette().color(QPalette::Button);
        };
        auto white = [&](const char* name) { return colour(name) == QColor(255, 255, 255); };
        const QColor face = editor::toolButtonColour(editor::ButtonColour::ButtonFace);
        QVERIFY(white("cmdSelect"));
        QVERIFY(white("cmdMove"));
        click(window, "cmdAdd");
        click(window, "cmdRotate");
        QVERIFY(white("cmdAdd"));
        QVERIFY(!white("cmdSelect"));
        QVERIFY(white("cmdRotate"));
        QCOMPARE(window->uvState().uvSelectionMode, std::string("A"));
        click(window, "cmdUVX");
        QCOMPARE(colour("cmdUVX"), QColor(128, 128, 128));
        QCOMPARE(colour("cmdUVY"), face);

        window->close();
        open();
        QVERIFY(white("cmdSelect"));
        QVERIFY(!white("cmdAdd"));
        QCOMPARE(colour("cmdUVX"), face);
    }

    void remapFollowsTheViewText() {
        auto* window = open();
        child<QAction>(window, "mnuSelectAll")->trigger();
        auto* view = child<QComboBox>(window, "cboView");
        view->setCurrentText("Nowhere");
        click(window, "cmdRemap");
        QCOMPARE(window->uvState().texU, (std::vector<double>{0.25, 0.75, 0.75}));
        view->setCurrentText("Front");
        click(window, "cmdRemap");
        QCOMPARE(window->uvState().texU, (std::vector<double>{0, 1, 0.5}));
        QCOMPARE(window->uvState().texV, (std::vector<double>{1, 0, 0.5}));
        child<QAction>(window, "mnuInvertSelection")->trigger();
        QCOMPARE(window->uvState().uvSelected, (std::vector<bool>{false, false, false}));
    }

    void panAndZoomButtons() {
        auto* window = open();
        click(window, "cmdUVUp");
        click(window, "cmdUVLeft");
        click(window, "cmdUVZoomIn");
        auto& uv = window->uvState();
        QCOMPARE(uv.uvPanY, 25);
        QCOMPARE(uv.uvPanX, 25);
        QCOMPARE(uv.uvZoom, 1.25);
        click(window, "cmdUVDown");
        click(window, "cmdUVRight");
        click(window, "cmdUVZoomOut");
        QCOMPARE(uv.uvPanY, 4);
        QCOMPARE(uv.uvPanX, 4);
        QCOMPARE(uv.uvZoom, 1.0);
    }

    void picturesLoadFromEachFormatAndStayOnReopening() {
        testing_support::TempFolder folder;
        const auto jpeg = saveSolidPicture(folder, "skin.JPG", "JPG", QColor(255, 0, 0));
        const auto bmp = saveSolidPicture(folder, "skin.bmp", "BMP", QColor(0, 0, 255));
        QFile gifFile(QString::fromStdString(folder.file("skin.gif")));
        QVERIFY(gifFile.open(QIODevice::WriteOnly));
        gifFile.write(reinterpret_cast<const char*>(greenGif), sizeof greenGif);
        gifFile.close();
        const auto gif = folder.file("skin.gif");

        auto* window = open();
        const QColor empty = viewPixel(window, 200, 120);
        const struct {
            std::string path;
            QColor colour;
        } pictures[] = {
            {jpeg, QColor(255, 0, 0)}, {gif, QColor(0, 255, 0)}, {bmp, QColor(0, 0, 255)}};
        for (const auto& picture : pictures) {
            dialogs.setAnswers({picture.path});
            click(window, "cmdLoadImg");
            QCOMPARE(dialogs.prompts.back(), std::string(editor::uvImageFilter));
            QVERIFY(window->uvState().imageLoaded);
            QCOMPARE(window->uvState().imagePath, picture.path);
            QVERIFY2(near(viewPixel(window, 200, 120), picture.colour), picture.path.c_str());
        }
        // Outside the texture square the view stays empty.
        click(window, "cmdUVZoomOut");
        QCOMPARE(viewPixel(window, 5, 5), empty);

        window->close();
        open();
        QCOMPARE(window->uvState().imagePath, bmp);
        QVERIFY(near(viewPixel(window, 200, 120), QColor(0, 0, 255)));
        QCOMPARE(viewPixel(window, 5, 5), QColor(0, 0, 255)); // zoom back to 1: fills the view
    }

    void cancelAndUnreadableFilesKeepThePicture() {
        testing_support::TempFolder folder;
        const auto bmp = saveSolidPicture(folder, "skin.bmp", "BMP", QColor(0, 0, 255));
        const auto fake = folder.write("fake.jpg", "this is no picture");
        auto* window = open();
        dialogs.setAnswers({bmp});
        click(window, "cmdLoadImg");

        dialogs.setAnswers({""});
        click(window, "cmdLoadImg");
        QCOMPARE(window->uvState().imagePath, bmp);
        QVERIFY(dialogs.shown.empty());

        dialogs.setAnswers({fake});
        click(window, "cmdLoadImg");
        QCOMPARE(dialogs.shown.size(), std::size_t{1});
        QCOMPARE(dialogs.shown[0].title, std::string("Load Image"));
        QCOMPARE(window->uvState().imagePath, bmp);
        QVERIFY(near(viewPixel(window, 200, 120), QColor(0, 0, 255)));
    }
};

QTEST_MAIN(UvEditorTest)
#include "uv_editor_test.moc"
