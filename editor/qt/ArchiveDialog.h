#pragma once

#include "editor/editing/archived_model.h"

#include <QDialog>

#include <optional>
#include <string>
#include <vector>

class QLineEdit;
class QListWidget;

namespace editor {

// File > "Open from Archive...": the models and textures of an archive (archiveEntries), a filter
// box over them (filteredEntries) and OK/Cancel. Double-clicking an entry or OK chooses it; the
// core opens it when it is a model.
class ArchiveDialog : public QDialog {
    Q_OBJECT

  public:
    ArchiveDialog(const std::string& archive, std::vector<ArchiveEntry> entries,
                  QWidget* parent = nullptr);

    // The entry chosen in the list, nothing when none is.
    std::optional<std::string> chosenName() const;
    // The names the list shows now, in order.
    std::vector<std::string> shownNames() const;

    // The window's chooser: shows the dialog, the chosen name after OK.
    static ArchiveEntryChooser chooser(QWidget* parent);

  private:
    void showFiltered(const QString& filter);

    std::vector<ArchiveEntry> entries_;
    QLineEdit* txtFilter_ = nullptr;
    QListWidget* lstEntries_ = nullptr;
};

} // namespace editor
