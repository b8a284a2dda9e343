// The merger window "Quellon" on the offscreen platform: its controls and menus,
// the start state, the output-path check, the bone list refresh and a whole merge through the
// widgets, read back by the editor's geoset reader.

#include "merger/qt/FrmQuellon.h"

#include "common/scripted_dialogs.h"
#include "editor/editing/file_open.h"
#include "editor/interaction/editor_state.h"
#include "editor/model/geoset_reader.h"
#include "support/temp_folder.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

QString fixture(const char* name) {
    return QString::fromStdString(testing_support::testDataPath(std::string("merger/") + name));
}

} // namespace

class QuellonWindowTest : public QObject {
    Q_OBJECT

  private:
    template <typename T> T* child(merger::FrmQuellon& window, const char* name) {
        auto* found = window.findChild<T*>(name);
        if (!found)
            qFatal("no control %s", name);
        return found;
    }

    QStringList comboItems(QComboBox* box) {
        QStringList items;
        for (int i = 0; i < box->count(); ++i)
            items << box->itemText(i);
        return items;
    }

  private slots:
    void controlsCarryTheirNamesAndCaptions() {
        merger::FrmQuellon window;
        QCOMPARE(window.windowTitle(), QString("Quellon"));
        QCOMPARE(window.objectName(), QString("frmQuellon"));
        for (const char* name : {"txtBasePath", "txtGeosetPath", "txtOutputPath", "txtTexturePath"})
            QVERIFY(child<QLineEdit>(window, name));
        for (const char* name : {"cmdBrowseBase", "cmdBrowseGeoset", "cmdOutputBrowse"})
            QCOMPARE(child<QPushButton>(window, name)->text(), QString("..."));
        QCOMPARE(child<QPushButton>(window, "cmdMerge")->text(), QString("&Merge"));
        QCOMPARE(child<QGroupBox>(window, "fraTexture")->title(), QString("Texture"));
        QCOMPARE(child<QCheckBox>(window, "chkTwoSided")->text(), QString("Two-sided"));
        QCOMPARE(child<QRadioButton>(window, "optTrans")->text(), QString("Transparent"));
        QCOMPARE(child<QRadioButton>(window, "optTeamColor")->text(), QString("Team Color"));
        QCOMPARE(child<QRadioButton>(window, "optNone")->text(), QString("None"));
        QCOMPARE(child<QRadioButton>(window, "optAdditive")->text(), QString("Additive"));
        QVERIFY(child<QComboBox>(window, "cboBone"));
        QStringList labels;
        for (auto* label : window.findChildren<QLabel*>())
            labels << label->text();
        for (const char* caption : {"Base model:", "Geoset:", "Output:", "Path:", "Type:", "Bone:"})
            QVERIFY2(labels.contains(caption), caption);
        // The texture controls sit in the frame.
        auto* frame = child<QGroupBox>(window, "fraTexture");
        QVERIFY(frame->isAncestorOf(child<QLineEdit>(window, "txtTexturePath")));
        QVERIFY(frame->isAncestorOf(child<QRadioButton>(window, "optAdditive")));
        QVERIFY(frame->isAncestorOf(child<QCheckBox>(window, "chkTwoSided")));
    }

    void menus() {
        merger::FrmQuellon window;
        auto* file = child<QMenu>(window, "mnuFile");
        auto* help = child<QMenu>(window, "mnuHelp");
        QCOMPARE(file->title(), QString("File"));
        QCOMPARE(help->title(), QString("Help"));
        QCOMPARE(window.menuBar()->actions().size(), 2);
        QCOMPARE(window.menuBar()->actions().at(0), file->menuAction());
        QCOMPARE(window.menuBar()->actions().at(1), help->menuAction());
        QCOMPARE(file->actions().size(), 1);
        QCOMPARE(file->actions().at(0)->text(), QString("Exit"));
        QCOMPARE(file->actions().at(0)->objectName(), QString("mnuExit"));
        QCOMPARE(help->actions().size(), 2);
        QCOMPARE(help->actions().at(0)->text(), QString("Instructions"));
        QCOMPARE(help->actions().at(0)->objectName(), QString("mnuInstructions"));
        QCOMPARE(help->actions().at(1)->text(), QString("About"));
        QCOMPARE(help->actions().at(1)->objectName(), QString("mnuAbout"));
    }

    void startsEmptyWithTransparentChosen() {
        merger::FrmQuellon window;
        for (const char* name : {"txtBasePath", "txtGeosetPath", "txtOutputPath", "txtTexturePath"})
            QCOMPARE(child<QLineEdit>(window, name)->text(), QString());
        QVERIFY(child<QRadioButton>(window, "optTrans")->isChecked());
        QVERIFY(!child<QRadioButton>(window, "optTeamColor")->isChecked());
        QVERIFY(!child<QRadioButton>(window, "optNone")->isChecked());
        QVERIFY(!child<QRadioButton>(window, "optAdditive")->isChecked());
        QVERIFY(!child<QCheckBox>(window, "chkTwoSided")->isChecked());
        QCOMPARE(child<QComboBox>(window, "cboBone")->count(), 0);
    }

    void oneTypeAtATime() {
        merger::FrmQuellon window;
        child<QRadioButton>(window, "optNone")->click();
        QVERIFY(child<QRadioButton>(window, "optNone")->isChecked());
        QVERIFY(!child<QRadioButton>(window, "optTrans")->isChecked());
        child<QRadioButton>(window, "optAdditive")->click();
        QVERIFY(!child<QRadioButton>(window, "optNone")->isChecked());
    }

    void browseBaseFillsAndRefreshesTheBoneList() {
        merger::FrmQuellon window;
        common::ScriptedDialogs dialogs;
        window.workflow().dialogs = &dialogs;
        auto* bones = child<QComboBox>(window, "cboBone");
        dialogs.setAnswers(
            {fixture("base_three_bones.mdl").toStdString(), fixture("odd_ids.mdl").toStdString()});
        child<QPushButton>(window, "cmdBrowseBase")->click();
        QCOMPARE(child<QLineEdit>(window, "txtBasePath")->text(), fixture("base_three_bones.mdl"));
        QCOMPARE(comboItems(bones), (QStringList{"Root: No parent", "Arm: Root", "Hand: Arm"}));
        QCOMPARE(bones->currentIndex(), -1);
        QCOMPARE(dialogs.prompts.back(), std::string(merger::modelOpenFilter));
        bones->setCurrentIndex(2);
        child<QPushButton>(window, "cmdBrowseBase")->click();
        QCOMPARE(comboItems(bones), (QStringList{"Twelve: No parent", "One: Twelve", "Orphan: ",
                                                 "HeldByHelper: Holder", "LitByLamp: Orphan"}));
        QCOMPARE(bones->currentIndex(), -1);
        QVERIFY(dialogs.shown.empty());
    }

    void typingTheBasePathDoesNotFillTheList() {
        merger::FrmQuellon window;
        auto* base = child<QLineEdit>(window, "txtBasePath");
        QTest::keyClicks(base, fixture("base_three_bones.mdl"));
        QCOMPARE(base->text(), fixture("base_three_bones.mdl"));
        QCOMPARE(child<QComboBox>(window, "cboBone")->count(), 0);
    }

    void outputEqualToAnInputIsRefused() {
        merger::FrmQuellon window;
        common::ScriptedDialogs dialogs;
        window.workflow().dialogs = &dialogs;
        auto* output = child<QLineEdit>(window, "txtOutputPath");
        // Typed paths count: the check reads the boxes when it runs.
        child<QLineEdit>(window, "txtBasePath")->setText("/models/base.mdl");
        child<QLineEdit>(window, "txtGeosetPath")->setText("/models/geoset.mdl");
        dialogs.setAnswers({"/models/out.mdl", "/models/base.mdl", "/models/geoset.mdl"});
        child<QPushButton>(window, "cmdOutputBrowse")->click();
        QCOMPARE(output->text(), QString("/models/out.mdl"));
        child<QPushButton>(window, "cmdOutputBrowse")->click();
        QCOMPARE(output->text(), QString("/models/out.mdl"));
        child<QPushButton>(window, "cmdOutputBrowse")->click();
        QCOMPARE(output->text(), QString("/models/out.mdl"));
        QCOMPARE(dialogs.shown.size(), std::size_t(2));
        for (const auto& shown : dialogs.shown) {
            QCOMPARE(shown.title, std::string("Error"));
            QCOMPARE(shown.text,
                     std::string("Your output file must be different from both your input files."));
        }
        // A typed output equal to an input is refused by Merge, with the same message.
        output->setText("/models/base.mdl");
        child<QPushButton>(window, "cmdMerge")->click();
        QCOMPARE(dialogs.shown.size(), std::size_t(3));
        QCOMPARE(dialogs.shown.back().text,
                 std::string("Your output file must be different from both your input files."));
    }

    void browseGeosetTakesThePath() {
        merger::FrmQuellon window;
        common::ScriptedDialogs dialogs;
        window.workflow().dialogs = &dialogs;
        dialogs.setAnswers({fixture("two_geosets.mdl").toStdString(), ""});
        child<QPushButton>(window, "cmdBrowseGeoset")->click();
        QCOMPARE(child<QLineEdit>(window, "txtGeosetPath")->text(), fixture("two_geosets.mdl"));
        child<QPushButton>(window, "cmdBrowseGeoset")->click(); // cancelled: unchanged
        QCOMPARE(child<QLineEdit>(window, "txtGeosetPath")->text(), fixture("two_geosets.mdl"));
    }

    void mergeThroughTheWidgetsReadsBackInTheEditor() {
        testing_support::TempFolder folder;
        merger::FrmQuellon window;
        common::ScriptedDialogs dialogs;
        window.workflow().dialogs = &dialogs;
        const auto outputPath = folder.file("merged.mdl");
        dialogs.setAnswers({fixture("base_three_bones.mdl").toStdString(),
                            fixture("two_geosets.mdl").toStdString(), outputPath});
        child<QPushButton>(window, "cmdBrowseBase")->click();
        child<QPushButton>(window, "cmdBrowseGeoset")->click();
        child<QPushButton>(window, "cmdOutputBrowse")->click();
        QTest::keyClicks(child<QLineEdit>(window, "txtTexturePath"), "Textures\\Arm.blp");
        child<QRadioButton>(window, "optTeamColor")->click();
        child<QComboBox>(window, "cboBone")->setCurrentIndex(2);
        child<QPushButton>(window, "cmdMerge")->click();
        QCOMPARE(dialogs.shown.size(), std::size_t(1));
        QCOMPARE(dialogs.shown[0].text, std::string("Done"));
        // The widgets keep their values for the next run.
        QCOMPARE(child<QComboBox>(window, "cboBone")->currentIndex(), 2);
        QVERIFY(child<QRadioButton>(window, "optTeamColor")->isChecked());

        const auto text = testing_support::readFile(outputPath);
        QVERIFY(text.find("\t\tImage \"Textures\\Arm.blp\",\r\n") != std::string::npos);
        QVERIFY(text.find("\tMaterialID 3,\r\n") != std::string::npos);

        editor::EditorState state;
        common::ScriptedDialogs editorDialogs;
        state.dialogs = &editorDialogs;
        for (int geoset : {2, 3}) {
            std::vector<editor::VertexRecord> vertices;
            std::vector<editor::FaceRecord> faces;
            editor::MatrixTable matrices;
            QVERIFY(
                editor::readGeosetFile(state, outputPath, vertices, faces, matrices, geoset, true));
            QCOMPARE(vertices.size(), std::size_t(geoset == 2 ? 4 : 3));
            QCOMPARE(faces.size(), std::size_t(geoset == 2 ? 2 : 1));
            for (const auto& vertex : vertices)
                QCOMPARE(vertex.vertexGroup, 0);
            QVERIFY(matrices.columnCount() >= 1);
            QCOMPARE(matrices.at(1, 1), 2);
            QCOMPARE(matrices.at(2, 1), -1);
        }
        QVERIFY(editorDialogs.shown.empty());
    }

    void mergeWithoutPathsShowsOneError() {
        merger::FrmQuellon window;
        common::ScriptedDialogs dialogs;
        window.workflow().dialogs = &dialogs;
        child<QPushButton>(window, "cmdMerge")->click();
        QCOMPARE(dialogs.shown.size(), std::size_t(1));
        QCOMPARE(dialogs.shown[0].title, std::string("Error"));
        QCOMPARE(dialogs.shown[0].text, std::string("Choose a base model first."));
    }

    void mergeHasItsMnemonic() {
        merger::FrmQuellon window;
        common::ScriptedDialogs dialogs;
        window.workflow().dialogs = &dialogs;
        QCOMPARE(child<QPushButton>(window, "cmdMerge")->shortcut(),
                 QKeySequence(Qt::ALT | Qt::Key_M));
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(window.windowHandle(), Qt::Key_M, Qt::AltModifier);
        // The mnemonic presses the button with a short animation.
        QTRY_COMPARE(dialogs.shown.size(), std::size_t(1)); // Merge ran: no paths given
    }

    void helpBoxes() {
        merger::FrmQuellon window;
        common::ScriptedDialogs dialogs;
        window.workflow().dialogs = &dialogs;
        window.findChild<QAction*>("mnuInstructions")->trigger();
        window.findChild<QAction*>("mnuAbout")->trigger();
        QCOMPARE(dialogs.shown.size(), std::size_t(2));
        QCOMPARE(dialogs.shown[0].title, std::string("Instructions"));
        QVERIFY(dialogs.shown[0].text.starts_with(
            "This program automates the final step of geoset merging."));
        QCOMPARE(dialogs.shown[1].title, std::string("About"));
    }

    void exitClosesTheWindow() {
        merger::FrmQuellon window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.findChild<QAction*>("mnuExit")->trigger();
        QVERIFY(!window.isVisible());
    }
};

QTEST_MAIN(QuellonWindowTest)
#include "quellon_window_test.moc"
