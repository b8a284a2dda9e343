#include "merger/qt/FrmQuellon.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>

#include <cstdlib>

namespace merger {

namespace {

template <typename T> T* named(T* widget, const char* name) {
    widget->setObjectName(name);
    return widget;
}

QString text(const std::string& value) {
    return QString::fromStdString(value);
}

void setTextIfChanged(QLineEdit* box, const std::string& value) {
    const QString wanted = text(value);
    if (box->text() != wanted)
        box->setText(wanted);
}

} // namespace

FrmQuellon::FrmQuellon(QWidget* parent)
    : QMainWindow(parent), dialogs_(this), workflow_(&dialogs_) {
    setObjectName("frmQuellon");
    setWindowTitle("Quellon");
    buildControls();
    buildMenus();
    showFields();
    // The window has no list of its own: the sources of MOLDRIN_GAME_DATA.
    workflow_.setGameDataSources(
        gamedata::sourcesInOrder({}, std::getenv(gamedata::gameDataVariable)));
}

void FrmQuellon::buildControls() {
    auto* central = new QWidget(this);
    auto* grid = new QGridLayout(central);

    auto pathRow = [&](int row, const char* caption, QLineEdit*& box, const char* boxName,
                       QPushButton*& button, const char* buttonName) {
        grid->addWidget(new QLabel(caption, central), row, 0);
        box = named(new QLineEdit(central), boxName);
        grid->addWidget(box, row, 1);
        button = named(new QPushButton("...", central), buttonName);
        button->setFixedWidth(button->fontMetrics().horizontalAdvance("...") + 24);
        grid->addWidget(button, row, 2);
    };
    pathRow(0, "Base model:", txtBasePath, "txtBasePath", cmdBrowseBase, "cmdBrowseBase");
    pathRow(1, "Geoset:", txtGeosetPath, "txtGeosetPath", cmdBrowseGeoset, "cmdBrowseGeoset");
    pathRow(2, "Output:", txtOutputPath, "txtOutputPath", cmdOutputBrowse, "cmdOutputBrowse");

    fraTexture = named(new QGroupBox("Texture", central), "fraTexture");
    auto* frame = new QGridLayout(fraTexture);
    frame->addWidget(new QLabel("Path:", fraTexture), 0, 0);
    txtTexturePath = named(new QLineEdit(fraTexture), "txtTexturePath");
    frame->addWidget(txtTexturePath, 0, 1, 1, 4);
    chkTwoSided = named(new QCheckBox("Two-sided", fraTexture), "chkTwoSided");
    frame->addWidget(chkTwoSided, 1, 0, 1, 5);
    frame->addWidget(new QLabel("Type:", fraTexture), 2, 0);
    optTrans = named(new QRadioButton("Transparent", fraTexture), "optTrans");
    optTeamColor = named(new QRadioButton("Team Color", fraTexture), "optTeamColor");
    optNone = named(new QRadioButton("None", fraTexture), "optNone");
    optAdditive = named(new QRadioButton("Additive", fraTexture), "optAdditive");
    auto* types = new QButtonGroup(fraTexture);
    int column = 1;
    for (auto* option : {optTrans, optTeamColor, optNone, optAdditive}) {
        types->addButton(option);
        frame->addWidget(option, 2, column++);
    }
    grid->addWidget(fraTexture, 3, 0, 1, 3);

    auto* boneRow = new QHBoxLayout();
    boneRow->addWidget(new QLabel("Bone:", central));
    cboBone = named(new QComboBox(central), "cboBone");
    cboBone->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    cboBone->setMinimumContentsLength(20);
    boneRow->addWidget(cboBone, 1);
    cmdMerge = named(new QPushButton("&Merge", central), "cmdMerge");
    boneRow->addWidget(cmdMerge);
    grid->addLayout(boneRow, 4, 0, 1, 3);

    grid->setColumnStretch(1, 1);
    txtBasePath->setMinimumWidth(320);
    setCentralWidget(central);

    connect(cmdBrowseBase, &QPushButton::clicked, this, &FrmQuellon::cmdBrowseBase_Click);
    connect(cmdBrowseGeoset, &QPushButton::clicked, this, &FrmQuellon::cmdBrowseGeoset_Click);
    connect(cmdOutputBrowse, &QPushButton::clicked, this, &FrmQuellon::cmdOutputBrowse_Click);
    connect(cmdMerge, &QPushButton::clicked, this, &FrmQuellon::cmdMerge_Click);
}

void FrmQuellon::buildMenus() {
    mnuFile = named(menuBar()->addMenu("File"), "mnuFile");
    mnuExit = named(mnuFile->addAction("Exit"), "mnuExit");
    mnuHelp = named(menuBar()->addMenu("Help"), "mnuHelp");
    mnuInstructions = named(mnuHelp->addAction("Instructions"), "mnuInstructions");
    mnuAbout = named(mnuHelp->addAction("About"), "mnuAbout");

    connect(mnuExit, &QAction::triggered, this, &FrmQuellon::mnuExit_Click);
    connect(mnuInstructions, &QAction::triggered, this, &FrmQuellon::mnuInstructions_Click);
    connect(mnuAbout, &QAction::triggered, this, &FrmQuellon::mnuAbout_Click);
}

void FrmQuellon::readFields() {
    workflow_.basePath = txtBasePath->text().toStdString();
    workflow_.geosetPath = txtGeosetPath->text().toStdString();
    workflow_.outputPath = txtOutputPath->text().toStdString();
    workflow_.texturePath = txtTexturePath->text().toStdString();
    workflow_.twoSided = chkTwoSided->isChecked();
    if (optTeamColor->isChecked())
        workflow_.textureType = TextureType::TeamColor;
    else if (optNone->isChecked())
        workflow_.textureType = TextureType::None;
    else if (optAdditive->isChecked())
        workflow_.textureType = TextureType::Additive;
    else
        workflow_.textureType = TextureType::Transparent;
    workflow_.boneIndex = cboBone->currentIndex();
}

void FrmQuellon::showFields() {
    setTextIfChanged(txtBasePath, workflow_.basePath);
    setTextIfChanged(txtGeosetPath, workflow_.geosetPath);
    setTextIfChanged(txtOutputPath, workflow_.outputPath);
    setTextIfChanged(txtTexturePath, workflow_.texturePath);
    chkTwoSided->setChecked(workflow_.twoSided);
    switch (workflow_.textureType) {
    case TextureType::Transparent:
        optTrans->setChecked(true);
        break;
    case TextureType::TeamColor:
        optTeamColor->setChecked(true);
        break;
    case TextureType::None:
        optNone->setChecked(true);
        break;
    case TextureType::Additive:
        optAdditive->setChecked(true);
        break;
    }
    QStringList entries;
    for (const auto& entry : workflow_.boneList)
        entries << text(entry.text());
    QStringList shown;
    for (int i = 0; i < cboBone->count(); ++i)
        shown << cboBone->itemText(i);
    if (entries != shown) {
        cboBone->clear();
        cboBone->addItems(entries);
    }
    cboBone->setCurrentIndex(workflow_.boneIndex < cboBone->count() ? workflow_.boneIndex : -1);
}

void FrmQuellon::cmdBrowseBase_Click() {
    readFields();
    workflow_.browseBase();
    showFields();
}

void FrmQuellon::cmdBrowseGeoset_Click() {
    readFields();
    workflow_.browseGeoset();
    showFields();
}

void FrmQuellon::cmdOutputBrowse_Click() {
    readFields();
    workflow_.browseOutput();
    showFields();
}

void FrmQuellon::cmdMerge_Click() {
    readFields();
    workflow_.mergeModels();
    showFields();
}

void FrmQuellon::mnuExit_Click() {
    close();
}

void FrmQuellon::mnuInstructions_Click() {
    workflow_.showInstructions();
}

void FrmQuellon::mnuAbout_Click() {
    workflow_.showAbout();
}

} // namespace merger
