#include "common/qt/QtDialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QStringList>

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

std::optional<std::string> QtDialogs::saveFileDialog(const std::string& filter) {
    const QString path =
        QFileDialog::getSaveFileName(parent_, QString(), QString(), qtFileFilter(filter));
    if (path.isEmpty())
        return std::nullopt;
    return path.toStdString();
}

void QtDialogs::setClipboardText(const std::string& text) {
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    clipboard->setText(fromUtf8(text));
}

} // namespace common
