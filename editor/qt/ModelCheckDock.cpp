#include "editor/qt/ModelCheckDock.h"

#include "editor/interaction/model_check_panel.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace editor {

ModelCheckDock::ModelCheckDock(const EditorState& state, Run run, QWidget* parent)
    : QDockWidget(QStringLiteral("Model Check"), parent), state_(state), run_(std::move(run)) {
    setObjectName("dckModelCheck");
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 4, 4, 4);

    lblSummary_ = new QLabel(body);
    lblSummary_->setObjectName("lblCheckSummary");
    lblSummary_->setWordWrap(true);
    layout->addWidget(lblSummary_);

    lstProblems_ = new QTreeWidget(body);
    lstProblems_->setObjectName("lstProblems");
    lstProblems_->setColumnCount(3);
    lstProblems_->setHeaderLabels({"Severity", "Rule", "Message"});
    lstProblems_->setRootIsDecorated(false);
    lstProblems_->setUniformRowHeights(true);
    lstProblems_->setWordWrap(false);
    // Messages are as wide as their text, so a long one is read by scrolling sideways.
    lstProblems_->header()->setStretchLastSection(true);
    for (int column = 0; column < 3; ++column)
        lstProblems_->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    layout->addWidget(lstProblems_, 1);
    connect(lstProblems_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        const int row = lstProblems_->indexOfTopLevelItem(item);
        run_([row](EditorState& s) { selectCheckRow(s, row); });
    });

    lblStatus_ = new QLabel(body);
    lblStatus_->setObjectName("lblCheckStatus");
    lblStatus_->setWordWrap(true);
    layout->addWidget(lblStatus_);

    cmdCheckAgain_ = new QPushButton(QStringLiteral("Check Again"), body);
    cmdCheckAgain_->setObjectName("cmdCheckAgain");
    // Space pans the views while held; a focused button would take it as a click.
    cmdCheckAgain_->setFocusPolicy(Qt::NoFocus);
    connect(cmdCheckAgain_, &QPushButton::clicked, this,
            [this] { run_([](EditorState& s) { runModelCheck(s); }); });
    layout->addWidget(cmdCheckAgain_, 0, Qt::AlignRight);

    setWidget(body);
}

void ModelCheckDock::sync() {
    const auto& panel = state_.checkPanel;
    if (panel.revision != shownRevision_) {
        shownRevision_ = panel.revision;
        lstProblems_->clear();
        QList<QTreeWidgetItem*> items;
        items.reserve(static_cast<qsizetype>(panel.rows.size()));
        for (const auto& row : panel.rows) {
            auto* item = new QTreeWidgetItem({QString::fromStdString(row.severityText),
                                              QString::fromStdString(row.rule),
                                              QString::fromStdString(row.message)});
            // A long message is cut at the column's edge; the whole of it shows on hover.
            item->setToolTip(2, QString::fromStdString(row.message));
            items.push_back(item);
        }
        lstProblems_->addTopLevelItems(items);
    }
    lblSummary_->setText(QString::fromStdString(panel.summary));
    lblStatus_->setText(QString::fromStdString(panel.status));
    lblStatus_->setVisible(!panel.status.empty());
    cmdCheckAgain_->setEnabled(state_.modelLoaded);
}

} // namespace editor
