#include "common/program_options.h"
#include "common/qt/QtAppearance.h"
#include "merger/qt/FrmQuellon.h"

#include <QApplication>
#include <QtPlugin>
#include <iostream>

// BLP and TGA for every QImage of the program.
Q_IMPORT_PLUGIN(TexturesImagePlugin)

int main(int argc, char** argv) {
    // Answered before QApplication, which needs a display.
    if (const auto status =
            common::answerHelpOrVersion(argc, argv, "quellon", common::mergerHelpText, std::cout))
        return *status;
    QApplication app(argc, argv);
    common::applyProgramAppearance(app);
    merger::FrmQuellon window;
    window.show();
    return app.exec();
}
