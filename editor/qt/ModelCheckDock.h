#pragma once

#include "editor/interaction/editor_state.h"

#include <QDockWidget>

#include <functional>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace editor {

// Tools > "Check Model…": the dock "Model Check" beside the views, showing the state's
// checkPanel: the problems (Severity, Rule, Message), the summary line, a "Check Again" button
// and the status of the last double-click. Every action is one core command run through the
// window (runModelCheck, selectCheckRow), after which the window calls sync.
class ModelCheckDock : public QDockWidget {
    Q_OBJECT

  public:
    using Run = std::function<void(const std::function<void(EditorState&)>&)>;
    ModelCheckDock(const EditorState& state, Run run, QWidget* parent = nullptr);

    // Shows the panel's rows, summary and status; the rows are filled anew only after a new
    // check, so a sync after every command keeps the list's scroll place.
    void sync();

  private:
    const EditorState& state_;
    Run run_;
    QTreeWidget* lstProblems_ = nullptr;
    QLabel* lblSummary_ = nullptr;
    QLabel* lblStatus_ = nullptr;
    QPushButton* cmdCheckAgain_ = nullptr;
    int shownRevision_ = -1;
};

} // namespace editor
