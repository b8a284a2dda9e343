#pragma once

#include "common/qt/QtDialogs.h"
#include "editor/interaction/editor_state.h"
#include "editor/views/viewports.h"

#include <QHash>
#include <QMainWindow>

#include <functional>
#include <optional>

class QAbstractButton;
class QDragEnterEvent;
class QDropEvent;
class QAction;
class QLineEdit;
class QMenu;
class QTimer;

namespace editor {

class ModelCheckDock;
class PreviewWidget;
class ViewportWidget;

// The editor's main window "MDL Moldrin". It owns the editor state for its life. Every control
// carries its own name as its Qt object name (cmdSelect, mnuSave, pbxFront, txtX, tmrTime, ...).
//
// Each handler runs one core command on the state and then syncWidgets() brings every widget in
// line with it (button colours, check marks, enabled menus, the Undo caption, read-outs, tips).
// The views are drawn by the core itself: the state's pbxFront, pbxTop and pbxLeft point at the
// view widgets' canvases, so refreshViews and a pan's single-view redraw paint into each
// widget's backing image, and the widget shows it.
class FrmMoldrin : public QMainWindow {
    Q_OBJECT

  public:
    // dialogs: the modal dialogs the commands use; the window's own Qt dialogs when null.
    explicit FrmMoldrin(common::Dialogs* dialogs = nullptr, QWidget* parent = nullptr);
    ~FrmMoldrin() override;

    EditorState& state() { return state_; }

    // Opens a model file as File > Open would after its dialog (the command line, a dropped
    // file, a recent file): unsaved changes are settled first. geoset: the geoset to edit, or
    // nothing to ask.
    void openFile(const QString& path, std::optional<int> geoset = std::nullopt);

    // The recent files as the File menu lists them, newest first.
    QStringList recentFiles() const;

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    using Command = std::function<void(EditorState&)>;

    // Runs one core command, then shows the state.
    void run(const Command& command);
    void syncWidgets();

    void buildControls(QWidget* client);
    void buildMenus();
    QMenu* addMenu(QMenu* parent, const char* name, const char* caption);
    QAction* addItem(QMenu* menu, const char* name, const char* caption, const Command& command,
                     const QKeySequence& shortcut = {});
    QAbstractButton* addButton(QWidget* client, const char* name, const char* caption,
                               const Command& command);
    ViewportWidget* addView(QWidget* client, const char* name, View view);
    void placeControls();
    void rememberRecentFile();
    // File > Game Data...: the dialog, then the stored list (with MOLDRIN_GAME_DATA's sources
    // after it) applied.
    void editGameData();
    void applyStoredGameData();
    void rebuildRecentFilesMenu();
    // Shows the Model Check dock beside the views, widening the window by the dock's width so
    // that the views keep their size.
    void showCheckDock();

    EditorState state_;
    common::QtDialogs qtDialogs_;
    QWidget* client_ = nullptr;
    QHash<QString, QAbstractButton*> buttons_;
    QHash<QString, Command> buttonCommands_;
    QHash<QString, QAction*> actions_;
    QList<QAction*> toolsItems_;
    ViewportWidget* pbxFront_ = nullptr;
    ViewportWidget* pbxTop_ = nullptr;
    ViewportWidget* pbxLeft_ = nullptr;
    PreviewWidget* pbxPreview_ = nullptr;
    ModelCheckDock* dckModelCheck_ = nullptr;
    int widthForCheckDock_ = 0; // pixels the window grew by when the dock was shown
    QLineEdit* txtX_ = nullptr;
    QLineEdit* txtY_ = nullptr;
    QLineEdit* txtZ_ = nullptr;
    QLineEdit* txtTips_ = nullptr;
    QTimer* tmrTime_ = nullptr;
    QTimer* tmrRecovery_ = nullptr;
    QMenu* recentFilesMenu_ = nullptr;
    std::string rememberedPath_;
    // Space is held: a drag on a view pans it. panFrom_ is the last pointer position, in twips.
    bool spaceHeld_ = false;
    bool panning_ = false;
    QPointF panFrom_;
    std::optional<MouseButton> pressedButton_;
};

} // namespace editor
