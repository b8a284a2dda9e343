// The start-up warning on a system that writes numbers with a decimal comma.
#include "common/scripted_dialogs.h"
#include "editor/qt/FrmMoldrin.h"

#include <QApplication>
#include <QLocale>
#include <QTest>

#include <cstdlib>

class MoldrinDecimalCommaTest : public QObject {
    Q_OBJECT

  private slots:
    void warnsOnceAtStartAndGoesOn() {
        QVERIFY2(QLocale::system().decimalPoint() == ",", "the test runs under a German locale");
        common::ScriptedDialogs dialogs;
        editor::FrmMoldrin window(&dialogs);
        QCOMPARE(dialogs.shown.size(), std::size_t(1));
        QCOMPARE(dialogs.shown[0].title, std::string("Warning"));
        QVERIFY(dialogs.shown[0].text.starts_with("Warning: You are using commas as a decimal"));
        QCOMPARE(window.windowTitle(), QString("MDL Moldrin"));
        QCOMPARE(window.state().versionText, std::string("1.14"));
    }
};

int main(int argc, char** argv) {
    // The system's number format comes from the environment, read when the application starts.
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    setenv("LC_NUMERIC", "de_DE.UTF-8", 1);
    QApplication app(argc, argv);
    MoldrinDecimalCommaTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "moldrin_decimal_comma_test.moc"
