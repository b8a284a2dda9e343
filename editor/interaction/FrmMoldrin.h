#pragma once

#include "common/qt/QtDialogs.h"
#include "editor/model/editor_state.h"

#include <QMainWindow>

namespace editor {

// The editor's main window "MDL Moldrin". It owns the editor state for its life.
class FrmMoldrin : public QMainWindow {
    Q_OBJECT

  public:
    explicit FrmMoldrin(QWidget* parent = nullptr);
    ~FrmMoldrin() override;

    EditorState& state() { return state_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    EditorState state_;
    common::QtDialogs dialogs_;
};

} // namespace editor
