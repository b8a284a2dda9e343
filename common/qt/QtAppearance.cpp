#include "common/qt/QtAppearance.h"

#include <QApplication>
#include <QPalette>

namespace common {

void applyProgramAppearance(QApplication& app) {
    QApplication::setStyle("Fusion");
    QPalette palette = app.palette();
    palette.setColor(QPalette::Button, QColor(212, 208, 200));
    app.setPalette(palette);
}

} // namespace common
