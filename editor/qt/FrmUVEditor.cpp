#include "editor/qt/FrmUVEditor.h"

#include "editor/qt/ToolButtonWidget.h"

#include "editor/interaction/command_effects.h"
#include "editor/interaction/editor_state.h"
#include "editor/qt/PreviewWidget.h"
#include "editor/qt/UvViewWidget.h"
#include "editor/uv/uv_editing.h"
#include "editor/uv/uv_export.h"
#include "editor/uv/uv_handover.h"
#include "editor/uv/uv_mouse.h"
#include "editor/uv/uv_remap.h"
#include "editor/uv/uv_undo.h"
#include "editor/uv/uv_view.h"
#include "editor/uv/uv_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

namespace editor {

namespace {

// The layout is given in twips, 15 to a pixel.
int px(int twips) {
    return twips / 15;
}

} // namespace

FrmUVEditor* FrmUVEditor::openFor(EditorState& state, QWidget* mainWindow) {
    auto* window = mainWindow->findChild<FrmUVEditor*>(QString(), Qt::FindDirectChildrenOnly);
    if (!window)
        window = new FrmUVEditor(state, mainWindow);
    window->show();
    window->raise();
    window->activateWindow();
    mainWindow->setEnabled(false);
    window->setEnabled(true); // a child window would otherwise go out of use with its parent
    openUVMapping(state, window->uv_, *state.textureSource);
    window->showTextureNote();
    window->syncWidgets();
    return window;
}

FrmUVEditor::FrmUVEditor(EditorState& state, QWidget* mainWindow)
    : QMainWindow(mainWindow, Qt::Window), state_(state), mainWindow_(mainWindow), dialogs_(this) {
    setObjectName("frmUVEditor");
    setWindowTitle("Texture Coordinate Editor");
    uv_.dialogs = &dialogs_;
    buildControls();
    buildMenu();
    uv_.pbxUVView = &pbxUVView_->canvas();
    syncWidgets();
}

QPushButton* FrmUVEditor::addButton(const char* name, const QString& caption, int left, int top,
                                    int width, int height) {
    auto* button = new QPushButton(caption, centralWidget());
    button->setObjectName(name);
    button->setGeometry(px(left), px(top), px(width), px(height));
    return button;
}

void FrmUVEditor::buildControls() {
    auto* client = new QWidget(this);
    client->setFixedSize(px(7680), px(6960));
    setCentralWidget(client);

    pbxUVView_ = new UvViewWidget(px(6015), px(5655), client);
    pbxUVView_->setObjectName("pbxUVView");
    pbxUVView_->move(px(120), px(120));
    connect(pbxUVView_, &UvViewWidget::mouseDown, this, &FrmUVEditor::pbxUVView_MouseDown);
    connect(pbxUVView_, &UvViewWidget::mouseMove, this, &FrmUVEditor::pbxUVView_MouseMove);
    connect(pbxUVView_, &UvViewWidget::mouseUp, this, &FrmUVEditor::pbxUVView_MouseUp);

    auto onClick = [this](QPushButton* button, auto handler) {
        connect(button, &QPushButton::clicked, this, [this, handler] {
            handler();
            syncWidgets();
        });
    };

    onClick(addButton("cmdLoadImg", "Load Image", 6240, 0, 1335, 375),
            [this] { cmdLoadImg_Click(); });
    cmdSelect_ = addButton("cmdSelect", "Select", 6240, 600, 1335, 375);
    cmdAdd_ = addButton("cmdAdd", "Add", 6240, 1080, 1335, 375);
    cmdDeselect_ = addButton("cmdDeselect", "Deselect", 6240, 1560, 1335, 375);
    onClick(cmdSelect_, [this] { setUVSelectionMode(uv_, "S"); });
    onClick(cmdAdd_, [this] { setUVSelectionMode(uv_, "A"); });
    onClick(cmdDeselect_, [this] { setUVSelectionMode(uv_, "D"); });
    cmdMove_ = addButton("cmdMove", "Move", 6240, 2160, 1335, 375);
    cmdRotate_ = addButton("cmdRotate", "Rotate", 6240, 2640, 1335, 375);
    cmdScale_ = addButton("cmdScale", "Scale", 6240, 3120, 1335, 375);
    onClick(cmdMove_, [this] { setUVTransformMode(uv_, "M"); });
    onClick(cmdRotate_, [this] { setUVTransformMode(uv_, "R"); });
    onClick(cmdScale_, [this] { setUVTransformMode(uv_, "S"); });
    cmdUVX_ = addButton("cmdUVX", "X", 6240, 3720, 615, 375);
    cmdUVY_ = addButton("cmdUVY", "Y", 6960, 3720, 615, 375);
    onClick(cmdUVX_, [this] { toggleUVAxis(uv_, 'x'); });
    onClick(cmdUVY_, [this] { toggleUVAxis(uv_, 'y'); });

    cboView_ = new QComboBox(client);
    cboView_->setObjectName("cboView");
    cboView_->setEditable(true);
    cboView_->addItems({"Top", "Front", "Left"});
    cboView_->setCurrentText("Top");
    cboView_->setGeometry(px(6240), px(4320), px(1335), px(315));
    onClick(addButton("cmdRemap", "Remap", 6240, 4680, 1335, 375), [this] { cmdRemap_Click(); });
    onClick(addButton("cmdSaveUVChanges", "Save Changes", 6240, 5280, 1335, 375),
            [this] { cmdSaveUVChanges_Click(); });

    auto addReadOut = [client](const char* name, int left) {
        auto* text = new QLineEdit("0", client);
        text->setObjectName(name);
        text->setReadOnly(true); // shown only, never read back
        text->setGeometry(px(left), px(5880), px(1095), px(285));
        return text;
    };
    txtUVX_ = addReadOut("txtUVX", 120);
    txtUVY_ = addReadOut("txtUVY", 1320);

    // The pan cross; the buttons have no caption, so a tooltip names each.
    const struct {
        const char* name;
        const char* tip;
        int left;
        int top;
        PanDirection direction;
    } panButtons[] = {{"cmdUVUp", "Pan up", 4440, 5880, PanDirection::Up},
                      {"cmdUVLeft", "Pan left", 4200, 6120, PanDirection::Left},
                      {"cmdUVRight", "Pan right", 4800, 6120, PanDirection::Right},
                      {"cmdUVDown", "Pan down", 4440, 6480, PanDirection::Down}};
    for (const auto& pan : panButtons) {
        auto* button = addButton(pan.name, QString(), pan.left, pan.top, 240, 360);
        button->setToolTip(pan.tip);
        onClick(button, [this, direction = pan.direction] { panUV(uv_, direction); });
    }
    onClick(addButton("cmdUVZoomIn", "+", 5280, 6000, 255, 300), [this] { zoomUVIn(uv_); });
    onClick(addButton("cmdUVZoomOut", "-", 5280, 6360, 255, 300), [this] { zoomUVOut(uv_); });

    int number = 1;
    for (int y : {480, 2040, 3600, 4200, 5160}) {
        auto* line = new QFrame(client);
        line->setObjectName(QString("Line%1").arg(number++));
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Plain);
        line->setGeometry(px(6240), px(y), px(7560 - 6240), 1);
    }
}

void FrmUVEditor::buildMenu() {
    QMenu* mnuFile = menuBar()->addMenu("File");
    mnuFile->setObjectName("mnuUVFile");
    QAction* mnuExportUVLayout = mnuFile->addAction("Export UV Layout...");
    mnuExportUVLayout->setObjectName("mnuExportUVLayout");
    connect(mnuExportUVLayout, &QAction::triggered, this, [this] {
        exportUVLayoutCommand(uv_);
        syncWidgets();
    });
    QMenu* mnuEdit = menuBar()->addMenu("Edit");
    mnuEdit->setObjectName("mnuEdit");
    QAction* mnuUndo = mnuEdit->addAction("Undo");
    mnuUndo->setObjectName("mnuUndo");
    mnuUndo->setShortcut(QKeySequence("Ctrl+Z"));
    connect(mnuUndo, &QAction::triggered, this, [this] {
        undoUV(uv_);
        syncWidgets();
    });
    QAction* mnuRedo = mnuEdit->addAction("Redo");
    mnuRedo->setObjectName("mnuRedo");
    mnuRedo->setShortcuts({QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")});
    connect(mnuRedo, &QAction::triggered, this, [this] {
        redoUV(uv_);
        syncWidgets();
    });
    mnuEdit->addSeparator();
    QAction* mnuSelectAll = mnuEdit->addAction("Select All");
    mnuSelectAll->setObjectName("mnuSelectAll");
    connect(mnuSelectAll, &QAction::triggered, this, [this] {
        selectAllUV(uv_);
        syncWidgets();
    });
    QAction* mnuInvertSelection = mnuEdit->addAction("Invert Selection");
    mnuInvertSelection->setObjectName("mnuInvertSelection");
    connect(mnuInvertSelection, &QAction::triggered, this, [this] {
        invertUVSelection(uv_);
        syncWidgets();
    });
}

void FrmUVEditor::showTextureNote() {
    if (uv_.textureNote.empty())
        return;
    // Said once, in the main window's tip box.
    state_.txtTipsText = uv_.textureNote;
    uv_.textureNote.clear();
    if (auto* tips = mainWindow_ ? mainWindow_->findChild<QLineEdit*>("txtTips") : nullptr) {
        tips->setText(QString::fromStdString(state_.txtTipsText));
        tips->setCursorPosition(0);
    }
}

void FrmUVEditor::cmdLoadImg_Click() {
    loadUVImage(uv_);
}

void FrmUVEditor::cmdRemap_Click() {
    remapUV(uv_, state_, cboView_->currentText().toStdString());
    syncWidgets();
}

void FrmUVEditor::cmdSaveUVChanges_Click() {
    saveUVChanges(state_, uv_.texU, uv_.texV);
    finishCommand(state_);
    if (auto* preview = parentWidget() ? parentWidget()->findChild<PreviewWidget*>() : nullptr)
        preview->refresh();
}

void FrmUVEditor::pbxUVView_MouseDown(double x, double y) {
    uvMouseDown(uv_, x, y);
}

void FrmUVEditor::pbxUVView_MouseMove(double x, double y) {
    uvMouseMove(uv_, x, y);
    txtUVX_->setText(QString::fromStdString(uv_.txtUVX));
    txtUVY_->setText(QString::fromStdString(uv_.txtUVY));
}

void FrmUVEditor::pbxUVView_MouseUp(MouseButton button, double x, double y) {
    uvMouseUp(uv_, button, x, y);
    syncWidgets();
}

void FrmUVEditor::syncWidgets() {
    const auto b = uvModeButtons(uv_);
    paintToolButton(cmdSelect_, b.cmdSelect);
    paintToolButton(cmdAdd_, b.cmdAdd);
    paintToolButton(cmdDeselect_, b.cmdDeselect);
    paintToolButton(cmdMove_, b.cmdMove);
    paintToolButton(cmdRotate_, b.cmdRotate);
    paintToolButton(cmdScale_, b.cmdScale);
    paintToolButton(cmdUVX_, b.cmdUVX);
    paintToolButton(cmdUVY_, b.cmdUVY);
    txtUVX_->setText(QString::fromStdString(uv_.txtUVX));
    txtUVY_->setText(QString::fromStdString(uv_.txtUVY));
    if (auto* undo = findChild<QAction*>("mnuUndo")) {
        undo->setText(QString::fromStdString(uvUndoCaption(uv_)));
        undo->setEnabled(!uv_.uvUndo.empty());
    }
    if (auto* redo = findChild<QAction*>("mnuRedo")) {
        redo->setText(QString::fromStdString(uvRedoCaption(uv_)));
        redo->setEnabled(!uv_.uvRedo.empty());
    }
    pbxUVView_->update();
}

void FrmUVEditor::closeEvent(QCloseEvent* event) {
    closeUVEditor(uv_);
    if (mainWindow_)
        mainWindow_->setEnabled(true);
    event->accept();
}

} // namespace editor
