#pragma once

#include "common/dialogs.h"

#include <QString>

class QWidget;

namespace common {

// Converts a filter of the form "Description|*.ext|Other|*.x" to Qt's "Description (*.ext);;...".
QString qtFileFilter(const std::string& filter);

// The modal dialogs and the clipboard of a Qt window.
class QtDialogs : public Dialogs {
  public:
    explicit QtDialogs(QWidget* parent) : parent_(parent) {}

    MessageAnswer messageBox(const std::string& text, const std::string& title,
                             MessageButtons buttons) override;
    int askChoice(const std::string& text, const std::string& title,
                  const std::vector<std::string>& buttons, int defaultButton) override;
    std::optional<int> pickFromList(const std::string& prompt, const std::string& title,
                                    const std::vector<std::string>& entries) override;
    std::string inputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
    void showTextToCopy(const std::string& prompt, const std::string& title,
                        const std::string& text) override;
    std::optional<std::string> openFileDialog(const std::string& filter) override;
    std::optional<SaveChoice> chooseSaveFile(const std::string& filter) override;
    void setClipboardText(const std::string& text) override;

  private:
    QWidget* parent_;
};

} // namespace common
