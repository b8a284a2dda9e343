#include "editor/interaction/FrmMoldrin.h"

#include "editor/interaction/window_lifecycle.h"

#include <QCloseEvent>
#include <QLocale>

namespace editor {

FrmMoldrin::FrmMoldrin(QWidget* parent) : QMainWindow(parent), dialogs_(this) {
    setWindowTitle("MDL Moldrin");
    resize(655, 469);
    state_.dialogs = &dialogs_;
    loadMainWindow(state_, QLocale::system().toString(1.23, 'f', 2).toStdString());
}

FrmMoldrin::~FrmMoldrin() = default;

void FrmMoldrin::closeEvent(QCloseEvent* event) {
    closeMainWindow(state_);
    event->accept();
}

} // namespace editor
