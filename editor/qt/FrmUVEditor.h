#pragma once

#include "common/qt/QtDialogs.h"
#include "editor/interaction/viewport_mouse.h"
#include "editor/uv/uv_editor_state.h"

#include <QMainWindow>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace editor {

struct EditorState;
class UvViewWidget;

// The "Texture Coordinate Editor" window. It is created once per main window and kept while
// closed, so the image and the pan carry over to the next opening.
class FrmUVEditor : public QMainWindow {
    Q_OBJECT

  public:
    // Tools > "UV Mapping": shows the window over the main window (creating it the first time),
    // takes the main window out of use until this window closes, and hands over the geoset.
    static FrmUVEditor* openFor(EditorState& state, QWidget* mainWindow);

    FrmUVEditor(EditorState& state, QWidget* mainWindow);

    UvEditorState& uvState() { return uv_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void cmdLoadImg_Click();
    void cmdRemap_Click();
    void cmdSaveUVChanges_Click();
    void pbxUVView_MouseDown(double x, double y);
    void pbxUVView_MouseMove(double x, double y);
    void pbxUVView_MouseUp(MouseButton button, double x, double y);

    // A note of the texture look-up goes to the main window's tip box.
    void showTextureNote();
    void buildControls();
    void buildMenu();
    QPushButton* addButton(const char* name, const QString& caption, int left, int top, int width,
                           int height);
    // Brings the widgets in line with the core's state after a command.
    void syncWidgets();

    EditorState& state_;
    QWidget* mainWindow_;
    UvEditorState uv_;
    common::QtDialogs dialogs_;
    UvViewWidget* pbxUVView_ = nullptr;
    QComboBox* cboView_ = nullptr;
    QLineEdit* txtUVX_ = nullptr;
    QLineEdit* txtUVY_ = nullptr;
    QPushButton* cmdSelect_ = nullptr;
    QPushButton* cmdAdd_ = nullptr;
    QPushButton* cmdDeselect_ = nullptr;
    QPushButton* cmdMove_ = nullptr;
    QPushButton* cmdRotate_ = nullptr;
    QPushButton* cmdScale_ = nullptr;
    QPushButton* cmdUVX_ = nullptr;
    QPushButton* cmdUVY_ = nullptr;
};

} // namespace editor
