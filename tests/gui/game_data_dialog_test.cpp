// File > Game Data...: the dialog's list and buttons, the stored list, and its effect.
#include "editor/qt/GameDataDialog.h"
#include "moldrin_window_fixture.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

namespace {

QStringList rows(const editor::GameDataDialog& dialog) {
    QStringList shown;
    auto* list = dialog.findChild<QListWidget*>("lstSources");
    for (int i = 0; i < list->count(); ++i)
        shown << list->item(i)->text() + (i == list->currentRow() ? "*" : "");
    return shown;
}

bool enabled(const editor::GameDataDialog& dialog, const char* name) {
    return dialog.findChild<QPushButton*>(name)->isEnabled();
}

} // namespace

class GameDataDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void theButtonsEditTheListInOrder() {
        editor::GameDataDialog dialog({"/a.mpq", "/b"});
        QCOMPARE(rows(dialog), QStringList({"/a.mpq*", "/b"}));
        QVERIFY(!enabled(dialog, "cmdUp"));
        dialog.addSource("/c.mpq");
        QCOMPARE(rows(dialog), QStringList({"/a.mpq", "/b", "/c.mpq*"}));
        QVERIFY(!enabled(dialog, "cmdDown"));
        dialog.addSource(""); // a cancelled file dialog
        dialog.moveChosenUp();
        QCOMPARE(rows(dialog), QStringList({"/a.mpq", "/c.mpq*", "/b"}));
        QVERIFY(enabled(dialog, "cmdUp") && enabled(dialog, "cmdDown"));
        dialog.removeChosen();
        QCOMPARE(rows(dialog), QStringList({"/a.mpq", "/b*"}));
        dialog.removeChosen();
        dialog.removeChosen();
        QCOMPARE(rows(dialog), QStringList());
        QVERIFY(!enabled(dialog, "cmdRemove"));
        QCOMPARE(dialog.sources(), std::vector<std::string>());
    }

    void theMenuStoresTheListAndTheEditorSearchesIt() {
        MoldrinWindowFixture f;
        const auto game = f.folder.path() / "game";
        std::filesystem::create_directories(game);
        QVERIFY(f.state().gameData->sources().empty());
        f.dialogs.shown.clear();
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<editor::GameDataDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->addSource(QString::fromStdString(game.string()));
            dialog->addSource(QString::fromStdString(f.folder.file("none.mpq")));
            dialog->accept();
        });
        f.action("mnuGameData")->trigger();
        const std::vector<std::string> expected{game.string(), f.folder.file("none.mpq")};
        QCOMPARE(editor::storedGameDataSources(), expected);
        QCOMPARE(f.state().gameData->sources(), expected);
        QCOMPARE(f.dialogs.shown.size(), std::size_t(1));
        QCOMPARE(f.dialogs.shown[0].title, std::string("Warning"));

        // A new window starts with the stored list.
        f.window.reset();
        f.window = std::make_unique<editor::FrmMoldrin>(&f.dialogs);
        QCOMPARE(f.state().gameData->sources(), expected);
    }
};

QTEST_MAIN(GameDataDialogTest)
#include "game_data_dialog_test.moc"
