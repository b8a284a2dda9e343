#include "common/memory_tuning.h"
#include "common/program_options.h"
#include "common/qt/QtAppearance.h"
#include "editor/qt/FrmMoldrin.h"

#include <QApplication>
#include <QtPlugin>
#include <iostream>

// BLP and TGA for every QImage of the program.
Q_IMPORT_PLUGIN(TexturesImagePlugin)

int main(int argc, char** argv) {
    // Answered before QApplication, which needs a display.
    if (const auto status =
            common::answerHelpOrVersion(argc, argv, "moldrin", common::editorHelpText, std::cout))
        return *status;
    common::keepFreedMemoryForReuse();
    QApplication app(argc, argv);
    common::applyProgramAppearance(app);
    editor::FrmMoldrin window;
    window.show();
    return app.exec();
}
