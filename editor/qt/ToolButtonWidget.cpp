#include "editor/qt/ToolButtonWidget.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QPalette>

namespace editor {

QColor toolButtonColour(ButtonColour colour) {
    switch (colour) {
    case ButtonColour::White:
        return QColor(255, 255, 255);
    case ButtonColour::LightRed:
        return QColor(255, 128, 128);
    case ButtonColour::Grey:
        return QColor(128, 128, 128);
    case ButtonColour::ButtonFace:
        break;
    }
    return QGuiApplication::palette().color(QPalette::Button);
}

void paintToolButton(QAbstractButton* button, ButtonColour colour) {
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, toolButtonColour(colour));
    button->setPalette(palette);
}

} // namespace editor
