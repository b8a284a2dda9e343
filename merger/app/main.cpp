#include "merger/qt/FrmQuellon.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    merger::FrmQuellon window;
    window.show();
    return app.exec();
}
