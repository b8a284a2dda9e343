// The Qt save dialog says which filter was chosen, so a name typed without an extension gets
// that filter's.
#include "common/qt/QtDialogs.h"
#include "support/temp_folder.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <tuple>

namespace {

// Runs act on the file dialog as soon as it is shown.
void whenDialogShows(const std::function<void(QFileDialog*)>& act) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(dialog);
        }
    });
    timer->start(10);
}

// Types the name into the dialog's name field as a user would. selectFile() is no substitute:
// it leaves the field alone while the field has the focus, which a shown dialog gives it at a
// moment of its own choosing, and the dialog then accepts its folder and stays open.
void typeFileName(QFileDialog* dialog, const QString& name) {
    auto* field = dialog->findChild<QLineEdit*>("fileNameEdit");
    QVERIFY(field != nullptr);
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, name);
    QCOMPARE(field->text(), name);
}

} // namespace

class SaveDialogFilterTest : public QObject {
    Q_OBJECT

  private slots:
    void theChosenFilterGivesTheMissingExtension() {
        const std::string filter = "Warcraft III MDL|*.mdl|Warcraft III MDX|*.mdx";
        for (const auto& [entry, typed, expected] :
             {std::tuple{1, "zombie_edit", "zombie_edit.mdx"},
              std::tuple{0, "zombie_edit", "zombie_edit.mdl"},
              std::tuple{1, "zombie.v2", "zombie.v2"}}) {
            testing_support::TempFolder folder;
            QWidget parent;
            common::QtDialogs dialogs(&parent);
            const QString where = QString::fromStdString(folder.path().string());
            whenDialogShows([&, entry = entry, typed = typed](QFileDialog* dialog) {
                dialog->setDirectory(where);
                dialog->selectNameFilter(dialog->nameFilters().at(entry));
                typeFileName(dialog, typed);
                QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
            });
            const auto chosen = dialogs.saveFileDialog(filter);
            QVERIFY(chosen.has_value());
            QCOMPARE(QString::fromStdString(*chosen), where + "/" + expected);
        }
    }

    void aCancelledDialogGivesNothing() {
        QWidget parent;
        common::QtDialogs dialogs(&parent);
        whenDialogShows([](QFileDialog* dialog) { dialog->reject(); });
        QVERIFY(!dialogs.saveFileDialog("Warcraft III MDL|*.mdl").has_value());
    }
};

QTEST_MAIN(SaveDialogFilterTest)
#include "save_dialog_filter_test.moc"
