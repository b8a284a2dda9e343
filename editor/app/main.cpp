#include "editor/interaction/FrmMoldrin.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    editor::FrmMoldrin window;
    window.show();
    return app.exec();
}
