// Tools > Check Model…: the dock lists the open model's problems, a double-click selects a
// problem's vertices, and Check Again checks the edits.
#include "moldrin_window_fixture.h"

#include <QDockWidget>
#include <QLabel>
#include <QTreeWidget>

class ModelCheckDockTest : public QObject {
    Q_OBJECT

  private slots:
    void listsTheProblemsAndSelectsOnDoubleClick() {
        MoldrinWindowFixture f;
        const auto path = f.folder.copyIn(std::string(MOLDRIN_TEST_DATA_DIR) +
                                              "/model/vertex_group_past_matrices.mdl",
                                          "check.mdl");
        f.dialogs.setAnswers({path, "1"});
        f.action("mnuOpen")->trigger();
        QCOMPARE(f.state().geosetNumber, 1);

        auto* dock = f.window->findChild<QDockWidget*>("dckModelCheck");
        QVERIFY(dock);
        QVERIFY(!dock->isVisible());
        auto* front = f.view("pbxFront");
        const int frontWidth = front->width();
        const int windowWidth = f.window->width();
        f.action("mnuCheckModel")->trigger();
        QVERIFY(dock->isVisible());
        QCOMPARE(dock->windowTitle(), QString("Model Check"));
        QCOMPARE(f.window->dockWidgetArea(dock), Qt::RightDockWidgetArea);
        // The window grows by the dock, so the views keep their size.
        QTRY_COMPARE(front->width(), frontWidth);

        auto* list = dock->findChild<QTreeWidget*>("lstProblems");
        auto* summary = dock->findChild<QLabel*>("lblCheckSummary");
        auto* status = dock->findChild<QLabel*>("lblCheckStatus");
        QCOMPARE(list->headerItem()->text(0), QString("Severity"));
        QCOMPARE(list->headerItem()->text(1), QString("Rule"));
        QCOMPARE(list->headerItem()->text(2), QString("Message"));
        QCOMPARE(list->topLevelItemCount(), 1);
        QTreeWidgetItem* item = list->topLevelItem(0);
        QCOMPARE(item->text(0), QString("Error"));
        QCOMPARE(item->text(1), QString("vertex-group"));
        QVERIFY2(item->text(2).contains("vertex 4"), qPrintable(item->text(2)));
        QCOMPARE(summary->text(), QString("1 error, 0 warnings, 0 notes"));

        f.state().vertices[0].selected = true;
        // Through the window, as the window system delivers a double-click.
        const QRect place = list->visualItemRect(item);
        QTest::mouseDClick(f.window->windowHandle(), Qt::LeftButton, {},
                           list->viewport()->mapTo(f.window.get(), place.center()));
        QCOMPARE(f.selectedCount(), 1);
        QVERIFY(f.state().vertices[4].selected);
        QCOMPARE(status->text(), QString("Selected 1 vertex of geoset 1."));
        QCOMPARE(f.action("mnuUndo")->text(), QString("Undo Selection"));

        // The check reads the arrays: once the vertex is in the matrix group, nothing is left.
        f.state().vertices[4].vertexGroup = 0;
        QTest::mouseClick(dock->findChild<QAbstractButton*>("cmdCheckAgain"), Qt::LeftButton);
        QCOMPARE(list->topLevelItemCount(), 0);
        QCOMPARE(summary->text(), QString("No problems found."));

        // Closing the dock gives the width back; opening it again does not grow the window more.
        const int openWidth = f.window->width();
        dock->close();
        QTRY_COMPARE(f.window->width(), windowWidth);
        f.action("mnuCheckModel")->trigger();
        QTRY_COMPARE(f.window->width(), openWidth);
    }
};

QTEST_MAIN(ModelCheckDockTest)
#include "model_check_dock_test.moc"
