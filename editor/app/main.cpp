#include "editor/qt/FrmMoldrin.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // A style that paints the tool buttons' background colours on every platform.
    QApplication::setStyle("Fusion");
    editor::FrmMoldrin window;
    window.show();
    return app.exec();
}
