#include "editor/qt/ArchiveDialog.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace editor {

ArchiveDialog::ArchiveDialog(const std::string& archive, std::vector<ArchiveEntry> entries,
                             QWidget* parent)
    : QDialog(parent), entries_(std::move(entries)) {
    setObjectName("frmOpenFromArchive");
    setWindowTitle("Open from Archive - " + QFileInfo(QString::fromStdString(archive)).fileName());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Models and textures of " + QString::fromStdString(archive) +
                                     " (models open; textures are listed only):",
                                 this));
    txtFilter_ = new QLineEdit(this);
    txtFilter_->setObjectName("txtFilter");
    txtFilter_->setPlaceholderText("Filter");
    txtFilter_->setClearButtonEnabled(true);
    layout->addWidget(txtFilter_);
    lstEntries_ = new QListWidget(this);
    lstEntries_->setObjectName("lstEntries");
    lstEntries_->setMinimumSize(480, 320);
    layout->addWidget(lstEntries_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName("buttons");
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(txtFilter_, &QLineEdit::textChanged, this, &ArchiveDialog::showFiltered);
    connect(lstEntries_, &QListWidget::itemDoubleClicked, this, [this] { accept(); });
    showFiltered(QString());
}

void ArchiveDialog::showFiltered(const QString& filter) {
    lstEntries_->clear();
    for (const auto index : filteredEntries(entries_, filter.toStdString())) {
        const auto& entry = entries_[index];
        auto* item = new QListWidgetItem(QString::fromStdString(entry.name), lstEntries_);
        item->setData(Qt::UserRole, QString::fromStdString(entry.name));
        if (!entry.model)
            item->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
    }
    if (lstEntries_->count() > 0)
        lstEntries_->setCurrentRow(0);
}

std::optional<std::string> ArchiveDialog::chosenName() const {
    const auto* item = lstEntries_->currentItem();
    if (!item)
        return std::nullopt;
    return item->data(Qt::UserRole).toString().toStdString();
}

std::vector<std::string> ArchiveDialog::shownNames() const {
    std::vector<std::string> names;
    for (int row = 0; row < lstEntries_->count(); ++row)
        names.push_back(lstEntries_->item(row)->data(Qt::UserRole).toString().toStdString());
    return names;
}

ArchiveEntryChooser ArchiveDialog::chooser(QWidget* parent) {
    return [parent](const std::string& archive,
                    const std::vector<ArchiveEntry>& entries) -> std::optional<std::string> {
        ArchiveDialog dialog(archive, entries, parent);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.chosenName();
    };
}

} // namespace editor
