#include "editor/qt/GameDataDialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

namespace editor {

namespace {

const char* const sourcesKey = "gameData/sources";

QPushButton* button(QWidget* parent, QLayout* layout, const char* name, const QString& caption) {
    auto* item = new QPushButton(caption, parent);
    item->setObjectName(name);
    item->setAutoDefault(false);
    layout->addWidget(item);
    return item;
}

} // namespace

std::vector<std::string> storedGameDataSources() {
    std::vector<std::string> sources;
    for (const QString& path : QSettings("moldrin", "moldrin").value(sourcesKey).toStringList())
        sources.push_back(path.toStdString());
    return sources;
}

void storeGameDataSources(const std::vector<std::string>& sources) {
    QStringList paths;
    for (const auto& path : sources)
        paths << QString::fromStdString(path);
    QSettings("moldrin", "moldrin").setValue(sourcesKey, paths);
}

GameDataDialog::GameDataDialog(const std::vector<std::string>& sources, QWidget* parent)
    : QDialog(parent) {
    setObjectName("frmGameData");
    setWindowTitle("Game Data");
    list_.sources = sources;

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Textures not found beside the model are looked up in these "
                                 "sources, from the top:",
                                 this));
    auto* row = new QHBoxLayout;
    lstSources_ = new QListWidget(this);
    lstSources_->setObjectName("lstSources");
    lstSources_->setMinimumWidth(420);
    row->addWidget(lstSources_);
    auto* side = new QVBoxLayout;
    connect(
        button(this, side, "cmdAddArchive", "Add Archive..."), &QPushButton::clicked, this, [this] {
            const QString path = QFileDialog::getOpenFileName(
                this, "Add Archive", QString(), "MPQ archives (*.mpq *.w3x *.w3m);;All files (*)");
            addSource(path);
        });
    connect(button(this, side, "cmdAddFolder", "Add Folder..."), &QPushButton::clicked, this,
            [this] { addSource(QFileDialog::getExistingDirectory(this, "Add Folder")); });
    cmdRemove_ = button(this, side, "cmdRemove", "Remove");
    cmdUp_ = button(this, side, "cmdUp", "Up");
    cmdDown_ = button(this, side, "cmdDown", "Down");
    connect(cmdRemove_, &QPushButton::clicked, this, &GameDataDialog::removeChosen);
    connect(cmdUp_, &QPushButton::clicked, this, &GameDataDialog::moveChosenUp);
    connect(cmdDown_, &QPushButton::clicked, this, &GameDataDialog::moveChosenDown);
    side->addStretch();
    row->addLayout(side);
    layout->addLayout(row);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName("buttons");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    connect(lstSources_, &QListWidget::currentRowChanged, this, [this](int row) {
        cmdRemove_->setEnabled(row >= 0);
        cmdUp_->setEnabled(row > 0);
        cmdDown_->setEnabled(row >= 0 && row + 1 < lstSources_->count());
    });
    showList(list_.sources.empty() ? -1 : 0);
}

int GameDataDialog::chosen() const {
    return lstSources_->currentRow();
}

void GameDataDialog::showList(int chosenRow) {
    lstSources_->clear();
    for (const auto& path : list_.sources)
        lstSources_->addItem(QString::fromStdString(path));
    lstSources_->setCurrentRow(chosenRow);
    cmdRemove_->setEnabled(chosenRow >= 0);
    cmdUp_->setEnabled(chosenRow > 0);
    cmdDown_->setEnabled(chosenRow >= 0 && chosenRow + 1 < lstSources_->count());
}

void GameDataDialog::addSource(const QString& path) {
    if (path.isEmpty()) // the file dialog was cancelled
        return;
    showList(list_.add(path.toStdString()));
}

void GameDataDialog::removeChosen() {
    showList(list_.remove(chosen()));
}

void GameDataDialog::moveChosenUp() {
    showList(list_.moveUp(chosen()));
}

void GameDataDialog::moveChosenDown() {
    showList(list_.moveDown(chosen()));
}

} // namespace editor
