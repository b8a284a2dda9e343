#pragma once

#include "editor/interaction/game_data_fields.h"

#include <QDialog>
#include <QStringList>

class QListWidget;
class QPushButton;

namespace editor {

// File > "Game Data...": the ordered list of game data sources, edited through the core's
// GameDataList. The caller stores and applies the list after OK.
class GameDataDialog : public QDialog {
    Q_OBJECT

  public:
    explicit GameDataDialog(const std::vector<std::string>& sources, QWidget* parent = nullptr);

    const std::vector<std::string>& sources() const { return list_.sources; }

    // The buttons' work after their file dialogs; tests call them directly.
    void addSource(const QString& path);
    void removeChosen();
    void moveChosenUp();
    void moveChosenDown();

  private:
    void showList(int chosen);
    int chosen() const;

    GameDataList list_;
    QListWidget* lstSources_ = nullptr;
    QPushButton* cmdRemove_ = nullptr;
    QPushButton* cmdUp_ = nullptr;
    QPushButton* cmdDown_ = nullptr;
};

// The sources stored in the settings, and storing them.
std::vector<std::string> storedGameDataSources();
void storeGameDataSources(const std::vector<std::string>& sources);

} // namespace editor
