#pragma once

#include "common/qt/QtDialogs.h"
#include "merger/quellon_workflow.h"

#include <QMainWindow>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;

namespace merger {

// The merger's window "Quellon". A shell over QuellonWorkflow: each handler copies
// the widgets into the workflow's fields, calls one workflow procedure and shows the fields
// again. Every control carries its name from the Part as its object name.
class FrmQuellon : public QMainWindow {
    Q_OBJECT

  public:
    explicit FrmQuellon(QWidget* parent = nullptr);

    // The logic and field values; tests may point its dialogs at a scripted implementation.
    QuellonWorkflow& workflow() { return workflow_; }

    void cmdBrowseBase_Click();
    void cmdBrowseGeoset_Click();
    void cmdOutputBrowse_Click();
    void cmdMerge_Click();
    void mnuExit_Click();
    void mnuInstructions_Click();
    void mnuAbout_Click();

  private:
    void buildControls();
    void buildMenus();
    // Widgets -> workflow fields.
    void readFields();
    // Workflow fields -> widgets.
    void showFields();

    common::QtDialogs dialogs_;
    QuellonWorkflow workflow_;

    QLineEdit* txtBasePath = nullptr;
    QPushButton* cmdBrowseBase = nullptr;
    QLineEdit* txtGeosetPath = nullptr;
    QPushButton* cmdBrowseGeoset = nullptr;
    QLineEdit* txtOutputPath = nullptr;
    QPushButton* cmdOutputBrowse = nullptr;
    QGroupBox* fraTexture = nullptr;
    QLineEdit* txtTexturePath = nullptr;
    QCheckBox* chkTwoSided = nullptr;
    QRadioButton* optTrans = nullptr;
    QRadioButton* optTeamColor = nullptr;
    QRadioButton* optNone = nullptr;
    QRadioButton* optAdditive = nullptr;
    QComboBox* cboBone = nullptr;
    QPushButton* cmdMerge = nullptr;
    QMenu* mnuFile = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuInstructions = nullptr;
    QAction* mnuAbout = nullptr;
};

} // namespace merger
