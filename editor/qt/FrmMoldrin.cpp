#include "editor/qt/FrmMoldrin.h"

#include "editor/qt/ToolButtonWidget.h"

#include "editor/editing/archived_model.h"
#include "editor/editing/file_open.h"
#include "editor/editing/geometry_tools.h"
#include "editor/editing/tool_modes.h"
#include "editor/editing/unsaved_changes.h"
#include "editor/editing/working_copy.h"
#include "editor/interaction/command_effects.h"
#include "editor/interaction/drag_preview.h"
#include "editor/interaction/main_window_layout.h"
#include "editor/interaction/recent_files.h"
#include "editor/interaction/tips.h"
#include "editor/interaction/view_hover.h"
#include "editor/interaction/viewport_mouse.h"
#include "editor/interaction/window_controls.h"
#include "editor/interaction/window_lifecycle.h"
#include "editor/qt/FrmUVEditor.h"
#include "editor/qt/ModelCheckDock.h"
#include "editor/qt/PreviewWidget.h"
#include "editor/qt/ViewportWidget.h"
#include "editor/views/view_navigation.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <optional>

namespace editor {

namespace {

std::optional<MouseButton> coreButton(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return MouseButton::Left;
    case Qt::RightButton:
        return MouseButton::Right;
    case Qt::MiddleButton:
        return MouseButton::Middle;
    default:
        return std::nullopt;
    }
}

QRect toPixels(const TwipsRect& rect) {
    auto px = [](int twips) {
        return static_cast<int>(std::lround(twips / double(twipsPerPixel)));
    };
    return QRect(px(rect.left), px(rect.top), px(rect.width), px(rect.height));
}

// Tells whether Space is held anywhere in the application, for panning by dragging.
class SpaceKeyWatcher : public QObject {
  public:
    SpaceKeyWatcher(QObject* parent, std::function<void(bool)> changed)
        : QObject(parent), changed_(std::move(changed)) {}

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Space && !key->isAutoRepeat())
                changed_(event->type() == QEvent::KeyPress);
        }
        return false;
    }

  private:
    std::function<void(bool)> changed_;
};

// How many files the File menu lists, and where they are kept.
constexpr int recentFileCount = 8;
const char* const recentFilesKey = "recentFiles";

// Unsaved edits are written beside the working copy this often, for recovery after a crash.
constexpr int recoveryIntervalMs = 30000;

// The system's own text of the number 1.23, for the decimal-separator check.
std::string systemTextOf123() {
    QLocale system = QLocale::system();
    system.setNumberOptions(QLocale::OmitGroupSeparator);
    return system.toString(1.23, 'f', 2).toStdString();
}

} // namespace

FrmMoldrin::FrmMoldrin(common::Dialogs* dialogs, QWidget* parent)
    : QMainWindow(parent), qtDialogs_(this) {
    setObjectName("frmMoldrin");
    setWindowTitle("MDL Moldrin");
    setAcceptDrops(true);
    state_.dialogs = dialogs ? dialogs : &qtDialogs_;
    qApp->installEventFilter(new SpaceKeyWatcher(this, [this](bool held) {
        spaceHeld_ = held;
        if (!held)
            panning_ = false;
    }));

    client_ = new QWidget(this);
    client_->setMouseTracking(true);
    client_->installEventFilter(this);
    setCentralWidget(client_);
    buildControls(client_);
    buildMenus();
    dckModelCheck_ = new ModelCheckDock(
        state_, [this](const Command& command) { run(command); }, this);
    dckModelCheck_->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    addDockWidget(Qt::RightDockWidgetArea, dckModelCheck_);
    dckModelCheck_->hide();
    // Closed, the dock gives back the width showing it added, so the window does not grow with
    // every opening.
    connect(dckModelCheck_, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible || !dckModelCheck_->isHidden() || widthForCheckDock_ == 0)
            return;
        if (!isMaximized() && !isFullScreen())
            resize(std::max(minimumWidth(), width() - widthForCheckDock_), height());
        widthForCheckDock_ = 0;
    });

    tmrTime_ = new QTimer(this);
    tmrTime_->setObjectName("tmrTime");
    tmrTime_->setSingleShot(true);
    tmrTime_->setInterval(armingIntervalMs);
    connect(tmrTime_, &QTimer::timeout, this, [this] { run(armingTimerFired); });
    state_.startArmingTimer = [this] { tmrTime_->start(); };

    tmrRecovery_ = new QTimer(this);
    tmrRecovery_->setObjectName("tmrRecovery");
    tmrRecovery_->setInterval(recoveryIntervalMs);
    connect(tmrRecovery_, &QTimer::timeout, this, [this] { storeRecoveryFile(state_); });
    tmrRecovery_->start();

    const QSize clientSize(clientWidthTwips / twipsPerPixel, clientHeightTwips / twipsPerPixel);
    const int menuHeight = menuBar()->sizeHint().height();
    setMinimumSize(clientSize.width(), clientSize.height() + menuHeight);
    resize(clientSize.width(), clientSize.height() + menuHeight);

    loadMainWindow(state_, systemTextOf123());
    applyStoredGameData();
}

FrmMoldrin::~FrmMoldrin() {
    // The 3D view's OpenGL objects go with its context, while the state still exists.
    delete pbxPreview_;
    pbxPreview_ = nullptr;
    state_.pbxFront = state_.pbxTop = state_.pbxLeft = nullptr;
    state_.startArmingTimer = nullptr;
}

void FrmMoldrin::run(const Command& command) {
    command(state_);
    finishCommand(state_);
    syncWidgets();
}

void FrmMoldrin::buildControls(QWidget* client) {
    pbxFront_ = addView(client, "pbxFront", View::Front);
    pbxTop_ = addView(client, "pbxTop", View::Top);
    pbxLeft_ = addView(client, "pbxLeft", View::Left);
    pbxPreview_ = new PreviewWidget(state_, state_, client);
    pbxPreview_->setObjectName("pbxPreview");

    struct ViewButtons {
        View view;
        const char* zoomIn;
        const char* zoomOut;
        const char* up;
        const char* down;
        const char* left;
        const char* right;
    };
    const ViewButtons viewButtons[] = {
        {View::Front, "cmdZoomInFront", "cmdZoomOutFront", "cmdPanUF", "cmdPanDF", "cmdPanLF",
         "cmdPanRF"},
        {View::Top, "cmdZoomInTop", "cmdZoomOutTop", "cmdPanUT", "cmdPanDT", "cmdPanLT",
         "cmdPanRT"},
        {View::Left, "cmdZoomInLeft", "cmdZoomOutLeft", "cmdPanUL", "cmdPanDL", "cmdPanLL",
         "cmdPanRL"},
    };
    for (const auto& b : viewButtons) {
        const View view = b.view;
        addButton(client, b.zoomIn, "+", [view](EditorState& s) { s.changed(zoomIn(s, view)); });
        addButton(client, b.zoomOut, "-", [view](EditorState& s) { s.changed(zoomOut(s, view)); });
        const std::pair<const char*, PanDirection> arrows[] = {{b.up, PanDirection::Up},
                                                               {b.down, PanDirection::Down},
                                                               {b.left, PanDirection::Left},
                                                               {b.right, PanDirection::Right}};
        for (const auto& [name, direction] : arrows)
            addButton(client, name, nullptr, [view, direction](EditorState& s) {
                s.changed(panView(s, view, direction));
            });
    }

    addButton(client, "cmdSelect", "Select", [](EditorState& s) { setSelectionMode(s, "S"); });
    addButton(client, "cmdAdd", "Add", [](EditorState& s) { setSelectionMode(s, "A"); });
    addButton(client, "cmdDeselect", "Deselect", [](EditorState& s) { setSelectionMode(s, "D"); });
    addButton(client, "cmdMove", "Move", [](EditorState& s) { setTransformMode(s, "M"); });
    addButton(client, "cmdRotate", "Rotate", [](EditorState& s) { setTransformMode(s, "R"); });
    addButton(client, "cmdScale", "Scale", [](EditorState& s) { setTransformMode(s, "S"); });
    addButton(client, "cmdExtrude", "Extrude", [](EditorState& s) { setTransformMode(s, "E"); });
    addButton(client, "cmdSnap", "Snap", snapCommand);
    addButton(client, "cmdDelete", "Delete", deleteCommand);
    addButton(client, "cmdClone", "Clone", toggleCloneMode);
    addButton(client, "cmdActivateX", "X", [](EditorState& s) { toggleAxis(s, 'x'); });
    addButton(client, "cmdActivateY", "Y", [](EditorState& s) { toggleAxis(s, 'y'); });
    addButton(client, "cmdActivateZ", "Z", [](EditorState& s) { toggleAxis(s, 'z'); });

    auto addTextBox = [client](const char* name) {
        auto* box = new QLineEdit(client);
        box->setObjectName(name);
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::NoFocus);
        return box;
    };
    txtX_ = addTextBox("txtX");
    txtY_ = addTextBox("txtY");
    txtZ_ = addTextBox("txtZ");
    txtTips_ = addTextBox("txtTips");
    QPalette tipPalette = txtTips_->palette();
    tipPalette.setColor(QPalette::Base, tipPalette.color(QPalette::Window));
    txtTips_->setPalette(tipPalette);

    // Pointer moves over the controls come to eventFilter, for their tips; the views report
    // their own.
    for (QWidget* control : client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (qobject_cast<ViewportWidget*>(control))
            continue;
        control->setMouseTracking(true);
        control->installEventFilter(this);
    }

    for (const auto& placement : mainWindowLayout()) {
        if (!placement.name.starts_with("Line"))
            continue;
        auto* line = new QFrame(client);
        line->setObjectName(QString::fromUtf8(placement.name.data(), placement.name.size()));
        line->setFrameShape(placement.rect.width > placement.rect.height ? QFrame::HLine
                                                                         : QFrame::VLine);
        line->setFrameShadow(QFrame::Sunken);
    }
}

QAbstractButton* FrmMoldrin::addButton(QWidget* client, const char* name, const char* caption,
                                       const Command& command) {
    QAbstractButton* button = nullptr;
    if (caption) {
        button = new QPushButton(QString::fromUtf8(caption), client);
    } else {
        // The pan buttons carry no caption, only an arrow pointing where the view moves.
        auto* arrow = new QToolButton(client);
        const char direction = name[6];
        arrow->setArrowType(direction == 'U'   ? Qt::UpArrow
                            : direction == 'D' ? Qt::DownArrow
                            : direction == 'L' ? Qt::LeftArrow
                                               : Qt::RightArrow);
        button = arrow;
    }
    button->setObjectName(name);
    button->setAutoFillBackground(true);
    // Space pans the views while held; a focused button would take it as a click.
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QAbstractButton::clicked, this, [this, command] { run(command); });
    buttons_.insert(name, button);
    buttonCommands_.insert(name, command);
    return button;
}

ViewportWidget* FrmMoldrin::addView(QWidget* client, const char* name, View view) {
    auto* widget = new ViewportWidget(client);
    widget->setObjectName(name);
    common::Canvas*& canvas = view == View::Front ? state_.pbxFront
                              : view == View::Top ? state_.pbxTop
                                                  : state_.pbxLeft;
    canvas = &widget->canvas();
    connect(widget, &ViewportWidget::mouseDown, this,
            [this, view](Qt::MouseButton button, double x, double y) {
                if (spaceHeld_) {
                    panning_ = true;
                    panFrom_ = QPointF(x, y);
                    return;
                }
                if (!pressedButton_)
                    pressedButton_ = coreButton(button);
                run([&](EditorState& s) { viewMouseDown(s, view, x, y); });
            });
    connect(widget, &ViewportWidget::mouseUp, this,
            [this, view](Qt::MouseButton button, double x, double y) {
                if (panning_) {
                    panning_ = false;
                    return;
                }
                const auto pressed = coreButton(button);
                if (pressed && pressed == pressedButton_)
                    pressedButton_.reset();
                if (pressed)
                    run([&](EditorState& s) { viewMouseUp(s, view, *pressed, x, y); });
            });
    connect(widget, &ViewportWidget::mouseDrag, this,
            [this, view](Qt::MouseButtons, double x, double y) {
                if (panning_) {
                    const QPointF by = QPointF(x, y) - panFrom_;
                    panFrom_ = QPointF(x, y);
                    run([&](EditorState& s) { s.changed(panBy(s, view, by.x(), by.y())); });
                } else if (pressedButton_) {
                    run([&](EditorState& s) { previewDrag(s, view, *pressedButton_, x, y); });
                }
            });
    connect(widget, &ViewportWidget::wheelTurned, this,
            [this, view](double notches, double x, double y) {
                run([&](EditorState& s) {
                    s.changed(zoomAbout(s, view, std::pow(1.25, notches), x, y));
                });
            });
    connect(widget, &ViewportWidget::mouseMove, this, [this, view](double x, double y) {
        run([&](EditorState& s) { hoverView(s, view, x, y); });
    });
    connect(widget, &ViewportWidget::resized, this,
            [this, view] { run([&](EditorState& s) { s.changed(viewChange(view)); }); });
    return widget;
}

void FrmMoldrin::placeControls() {
    if (!client_)
        return;
    const int width = client_->width() * twipsPerPixel;
    const int height = client_->height() * twipsPerPixel;
    for (const auto& placement : mainWindowLayout()) {
        const QString name = QString::fromUtf8(placement.name.data(), placement.name.size());
        if (auto* control = client_->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly))
            control->setGeometry(toPixels(placeControl(placement, width, height)));
    }
}

void FrmMoldrin::syncWidgets() {
    const auto tools = toolButtonState(state_);
    const std::pair<const char*, ButtonColour> colours[] = {
        {"cmdSelect", tools.cmdSelect},       {"cmdAdd", tools.cmdAdd},
        {"cmdDeselect", tools.cmdDeselect},   {"cmdMove", tools.cmdMove},
        {"cmdRotate", tools.cmdRotate},       {"cmdScale", tools.cmdScale},
        {"cmdExtrude", tools.cmdExtrude},     {"cmdClone", tools.cmdClone},
        {"cmdActivateX", tools.cmdActivateX}, {"cmdActivateY", tools.cmdActivateY},
        {"cmdActivateZ", tools.cmdActivateZ},
    };
    for (const auto& [name, colour] : colours)
        paintToolButton(buttons_.value(name), colour);

    const auto menus = menuState(state_);
    auto check = [this](const char* name, bool checked) {
        actions_.value(name)->setChecked(checked);
    };
    check("mnuXEnabled", tools.mnuXEnabledChecked);
    check("mnuYEnabled", tools.mnuYEnabledChecked);
    check("mnuZEnabled", tools.mnuZEnabledChecked);
    check("mnuAddMarkerGraphically", menus.mnuAddMarkerGraphicallyChecked);
    check("mnuShowNormals", menus.mnuShowNormalsChecked);
    check("mnuEnableTips", menus.mnuEnableTipsChecked);

    auto enable = [this](const char* name, bool enabled) {
        actions_.value(name)->setEnabled(enabled);
    };
    enable("mnuTools", menus.mnuToolsEnabled);
    // A disabled menu also keeps its items' shortcuts from running.
    for (auto* item : std::as_const(toolsItems_))
        item->setEnabled(menus.mnuToolsEnabled);
    enable("mnuSave", menus.mnuSaveEnabled);
    enable("mnuSaveAs", menus.mnuSaveAsEnabled);
    enable("mnuSwitchGeoset", menus.mnuSwitchGeosetEnabled);
    enable("mnuSaveGeoset", menus.mnuSaveGeosetEnabled);
    enable("mnuExport", menus.mnuExportEnabled);
    enable("mnuMergeGeoset", menus.mnuMergeGeosetEnabled);
    enable("mnuImportMesh", menus.mnuImportMeshEnabled);
    enable("mnuUndo", menus.mnuUndoEnabled);
    actions_.value("mnuUndo")->setText(QString::fromStdString(menus.mnuUndoCaption));
    enable("mnuRedo", menus.mnuRedoEnabled);
    actions_.value("mnuRedo")->setText(QString::fromStdString(menus.mnuRedoCaption));
    setWindowTitle(QString::fromStdString(editor::windowTitle(state_)));
    rememberRecentFile();
    buttons_.value("cmdSnap")->setEnabled(menus.cmdSnapEnabled);
    buttons_.value("cmdDelete")->setEnabled(menus.cmdDeleteEnabled);

    txtX_->setText(QString::fromStdString(state_.txtXText));
    txtY_->setText(QString::fromStdString(state_.txtYText));
    txtZ_->setText(QString::fromStdString(state_.txtZText));
    txtTips_->setText(QString::fromStdString(state_.txtTipsText));
    txtTips_->setCursorPosition(0); // a long tip shows its beginning
    txtTips_->setVisible(state_.txtTipsVisible);
    pbxPreview_->refresh();
    dckModelCheck_->sync();
}

void FrmMoldrin::showCheckDock() {
    if (!dckModelCheck_->isHidden())
        return;
    // Wide enough for the rule and most of a message beside it.
    constexpr int dockWidth = 560;
    dckModelCheck_->show();
    if (dckModelCheck_->isFloating())
        return;
    if (!isMaximized() && !isFullScreen()) {
        widthForCheckDock_ = dockWidth;
        resize(width() + dockWidth, height());
    }
    resizeDocks({dckModelCheck_}, {dockWidth}, Qt::Horizontal);
}

bool FrmMoldrin::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Resize)
        placeControls();
    // The pointer moved over a control or the bare window: show the control's tip, "" over the
    // bare window. Moves the controls ignore also reach the client area, where childAt tells
    // which control lay under the pointer.
    if (event->type() == QEvent::MouseMove) {
        QObject* control = watched;
        if (watched == client_) {
            const QPoint position = static_cast<QMouseEvent*>(event)->position().toPoint();
            control = client_->childAt(position);
            while (control && control->parent() != client_)
                control = control->parent();
        }
        const std::string name = (control ? control->objectName() : objectName()).toStdString();
        run([&](EditorState& s) { showControlTip(s, name); });
    }
    return QMainWindow::eventFilter(watched, event);
}

void FrmMoldrin::openFile(const QString& path, std::optional<int> geoset) {
    const std::string file = path.toStdString();
    run([&](EditorState& s) {
        if (settleUnsavedChanges(s))
            openModelPath(s, file, geoset);
    });
}

QStringList FrmMoldrin::recentFiles() const {
    return QSettings("moldrin", "moldrin").value(recentFilesKey).toStringList();
}

void FrmMoldrin::rememberRecentFile() {
    const std::string location = modelLocation(state_);
    if (!state_.modelLoaded || location.empty() || location == rememberedPath_)
        return;
    rememberedPath_ = location;
    std::vector<std::string> files;
    for (const QString& file : recentFiles())
        files.push_back(file.toStdString());
    QStringList updated;
    for (const auto& file :
         withRecentFile(files, absoluteModelPath(rememberedPath_), recentFileCount))
        updated << QString::fromStdString(file);
    QSettings("moldrin", "moldrin").setValue(recentFilesKey, updated);
    rebuildRecentFilesMenu();
}

void FrmMoldrin::rebuildRecentFilesMenu() {
    if (!recentFilesMenu_)
        return;
    recentFilesMenu_->clear();
    const QStringList files = recentFiles();
    for (int i = 0; i < files.size(); ++i) {
        QAction* item = recentFilesMenu_->addAction(QString("&%1 %2").arg(i + 1).arg(files[i]));
        item->setObjectName(QString("mnuRecentFile%1").arg(i + 1));
        connect(item, &QAction::triggered, this, [this, file = files[i]] { openFile(file); });
    }
    recentFilesMenu_->menuAction()->setEnabled(!files.isEmpty());
}

void FrmMoldrin::dragEnterEvent(QDragEnterEvent* event) {
    const auto urls = event->mimeData()->urls();
    if (!urls.isEmpty() && urls.first().isLocalFile())
        event->acceptProposedAction();
}

void FrmMoldrin::dropEvent(QDropEvent* event) {
    const auto urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile())
        return;
    event->acceptProposedAction();
    // The drop's own event must end before a modal question can be shown.
    QTimer::singleShot(0, this, [this, path = urls.first().toLocalFile()] { openFile(path); });
}

void FrmMoldrin::closeEvent(QCloseEvent* event) {
    if (!mayCloseMainWindow(state_)) {
        event->ignore();
        syncWidgets();
        return;
    }
    for (auto* editor : findChildren<FrmUVEditor*>(QString(), Qt::FindDirectChildrenOnly))
        editor->close();
    run(closeMainWindow);
    event->accept();
}

} // namespace editor
