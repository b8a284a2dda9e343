// Models inside archives in the window: the command line's ARCHIVE:INNER opens one and the title
// names it; File > Open from Archive lists the archive with a filter box and opens the model.
#include "editor/qt/ArchiveDialog.h"
#include "gamedata/test_archives.h"
#include "moldrin_window_fixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>

class ArchiveWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void theTitleNamesTheArchiveAndTheInnerPath() {
        MoldrinWindowFixture f;
        const auto map = f.folder.file("map.w3x");
        QVERIFY(testing_support::makeArchive(
            map, {{"war3mapImported\\cube.mdl", testing_support::readFile(f.modelPath)}}));
        f.window->openFile(QString::fromStdString(map + ":war3mapImported\\cube.mdl"), 1);
        QCOMPARE(f.window->windowTitle(),
                 QString("map.w3x: war3mapImported\\cube.mdl - MDL Moldrin"));
        // An edit, as any command that changes the model marks it; the next command's sync
        // shows it.
        f.state().unsavedChanges = true;
        f.action("mnuSelectAll")->trigger();
        QCOMPARE(f.window->windowTitle(),
                 QString("map.w3x: war3mapImported\\cube.mdl* - MDL Moldrin"));
        f.action("mnuSave")->trigger();
        QCOMPARE(f.window->windowTitle(),
                 QString("map.w3x: war3mapImported\\cube.mdl - MDL Moldrin"));
        QVERIFY(f.dialogs.shown.empty());
    }

    void theDialogFiltersWithoutCaseAndOpensTheChosenModel() {
        {
            editor::ArchiveDialog dialog("/maps/map.w3x", {{"Textures\\Skin.blp", false},
                                                           {"Units\\Peon.mdx", true},
                                                           {"war3mapImported\\Hero.mdx", true}});
            QCOMPARE(dialog.shownNames().size(), std::size_t(3));
            dialog.findChild<QLineEdit*>("txtFilter")->setText("HERO");
            QCOMPARE(dialog.shownNames(), std::vector<std::string>{"war3mapImported\\Hero.mdx"});
            QCOMPARE(dialog.chosenName(), std::optional<std::string>("war3mapImported\\Hero.mdx"));
            dialog.findChild<QLineEdit*>("txtFilter")->setText("none");
            QVERIFY(!dialog.chosenName());
        }

        MoldrinWindowFixture f;
        const auto map = f.folder.file("map.w3x");
        QVERIFY(testing_support::makeArchive(
            map, {{"war3mapImported\\cube.mdl", testing_support::readFile(f.modelPath)},
                  {"Textures\\white.blp", "t"}}));
        f.dialogs.setAnswers({map, "1"}); // the archive, then the cube's first geoset
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<editor::ArchiveDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->findChild<QLineEdit*>("txtFilter")->setText("CUBE");
            auto* list = dialog->findChild<QListWidget*>("lstEntries");
            QCOMPARE(list->count(), 1);
            emit list->itemDoubleClicked(list->item(0));
        });
        f.action("mnuOpenFromArchive")->trigger();
        QVERIFY(f.state().modelLoaded);
        QCOMPARE(f.window->windowTitle(),
                 QString("map.w3x: war3mapImported\\cube.mdl - MDL Moldrin"));
    }
};

QTEST_MAIN(ArchiveWindowTest)
#include "archive_window_test.moc"
