#include "common/memory_tuning.h"
#include "common/program_options.h"
#include "common/qt/QtAppearance.h"
#include "editor/qt/FrmMoldrin.h"

#include <QApplication>
#include <QTimer>
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
    QApplication::setOrganizationName("moldrin");
    QApplication::setApplicationName("moldrin");
    // Qt has taken its own options out of the arguments by now.
    std::vector<std::string> arguments;
    for (const QString& argument : QApplication::arguments().mid(1))
        arguments.push_back(argument.toStdString());
    std::string error;
    const auto parsed = common::parseEditorArguments(arguments, error);
    if (!parsed) {
        std::cerr << "moldrin: " << error << "\nusage: moldrin [FILE [--geoset N]]\n";
        return 2;
    }
    common::applyProgramAppearance(app);
    editor::FrmMoldrin window;
    window.show();
    if (parsed->file)
        // Opened once the window is shown, so that the views have their sizes to fit into.
        QTimer::singleShot(0, &window, [&window, &parsed] {
            window.openFile(QString::fromStdString(*parsed->file), parsed->geoset);
        });
    return app.exec();
}
