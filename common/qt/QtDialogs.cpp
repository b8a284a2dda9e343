#include "common/qt/QtDialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

namespace common {

namespace {

QString fromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

QString qtFileFilter(const std::string& filter) {
    const QStringList parts = fromUtf8(filter).split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        // File names on this system are case-sensitive; offer both cases of each pattern.
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(';', Qt::SkipEmptyParts)) {
            patterns << pattern.trimmed();
            for (const QString& variant :
                 {pattern.trimmed().toLower(), pattern.trimmed().toUpper()})
                if (!patterns.contains(variant))
                    patterns << variant;
        }
        filters << parts[i] + " (" + patterns.join(' ') + ")";
    }
    return filters.join(";;");
}

MessageAnswer QtDialogs::messageBox(const std::string& text, const std::string& title,
                                    MessageButtons buttons) {
    QMessageBox box(parent_);
    box.setWindowTitle(fromUtf8(title));
    box.setText(fromUtf8(text).replace("\r\n", "\n"));
    if (buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return MessageAnswer::Ok;
}

int QtDialogs::askChoice(const std::string& text, const std::string& title,
                         const std::vector<std::string>& buttons, int defaultButton) {
    QMessageBox box(parent_);
    box.setWindowTitle(fromUtf8(title));
    box.setText(fromUtf8(text).replace("\r\n", "\n"));
    QList<QAbstractButton*> added;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const QString caption = fromUtf8(buttons[i]);
        const auto role = caption == "Cancel"    ? QMessageBox::RejectRole
                          : caption == "Discard" ? QMessageBox::DestructiveRole
                                                 : QMessageBox::AcceptRole;
        auto* button = box.addButton(caption, role);
        added << button;
        if (static_cast<int>(i) == defaultButton)
            box.setDefaultButton(button);
        if (role == QMessageBox::RejectRole)
            box.setEscapeButton(button);
    }
    box.exec();
    return static_cast<int>(added.indexOf(box.clickedButton()));
}

std::optional<int> QtDialogs::pickFromList(const std::string& prompt, const std::string& title,
                                           const std::vector<std::string>& entries) {
    QDialog dialog(parent_);
    dialog.setObjectName("dlgPickFromList");
    dialog.setWindowTitle(fromUtf8(title));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(fromUtf8(prompt), &dialog));
    auto* list = new QListWidget(&dialog);
    list->setObjectName("lstEntries");
    for (const auto& entry : entries)
        list->addItem(fromUtf8(entry));
    list->setCurrentRow(0);
    list->setMinimumWidth(list->sizeHintForColumn(0) + 40);
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
    if (dialog.exec() != QDialog::Accepted || list->currentRow() < 0)
        return std::nullopt;
    return list->currentRow();
}

std::string QtDialogs::inputBox(const std::string& prompt, const std::string& title,
                                const std::string& defaultText) {
    bool ok = false;
    const QString answer =
        QInputDialog::getText(parent_, fromUtf8(title), fromUtf8(prompt).replace("\r\n", "\n"),
                              QLineEdit::Normal, fromUtf8(defaultText), &ok);
    return ok ? answer.toStdString() : std::string();
}

void QtDialogs::showTextToCopy(const std::string& prompt, const std::string& title,
                               const std::string& text) {
    inputBox(prompt, title, text);
}

std::optional<std::string> QtDialogs::openFileDialog(const std::string& filter) {
    const QString path =
        QFileDialog::getOpenFileName(parent_, QString(), QString(), qtFileFilter(filter));
    if (path.isEmpty())
        return std::nullopt;
    return path.toStdString();
}

std::optional<Dialogs::SaveChoice> QtDialogs::chooseSaveFile(const std::string& filter) {
    const QString filters = qtFileFilter(filter);
    QString chosenFilter;
    const QString path =
        QFileDialog::getSaveFileName(parent_, QString(), QString(), filters, &chosenFilter);
    if (path.isEmpty())
        return std::nullopt;
    SaveChoice choice{path.toStdString(), std::nullopt};
    const auto entry = filters.split(";;").indexOf(chosenFilter);
    if (entry >= 0)
        choice.filterEntry = static_cast<std::size_t>(entry);
    return choice;
}

void QtDialogs::setClipboardText(const std::string& text) {
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    clipboard->setText(fromUtf8(text));
}

} // namespace common
