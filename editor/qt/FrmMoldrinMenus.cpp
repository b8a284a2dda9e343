#include "editor/qt/FrmMoldrin.h"

#include "editor/editing/archived_model.h"
#include "editor/editing/file_export.h"
#include "editor/editing/file_open.h"
#include "editor/editing/file_save.h"
#include "editor/editing/format_version_command.h"
#include "editor/editing/geometry_tools.h"
#include "editor/editing/geoset_commands.h"
#include "editor/editing/import_mesh_command.h"
#include "editor/editing/markers.h"
#include "editor/editing/normals.h"
#include "editor/editing/selection_commands.h"
#include "editor/editing/tool_modes.h"
#include "editor/editing/undo_command.h"
#include "editor/editing/vertex_groups.h"
#include "editor/interaction/help_texts.h"
#include "editor/interaction/model_check_panel.h"
#include "editor/interaction/save_check_tip.h"
#include "editor/interaction/tips.h"
#include "editor/qt/ArchiveDialog.h"
#include "editor/qt/FrmUVEditor.h"
#include "editor/qt/GameDataDialog.h"
#include "editor/views/view_navigation.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <cstdlib>

namespace editor {

QMenu* FrmMoldrin::addMenu(QMenu* parent, const char* name, const char* caption) {
    QMenu* menu = parent ? parent->addMenu(QString::fromUtf8(caption))
                         : menuBar()->addMenu(QString::fromUtf8(caption));
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    actions_.insert(name, menu->menuAction());
    return menu;
}

QAction* FrmMoldrin::addItem(QMenu* menu, const char* name, const char* caption,
                             const Command& command, const QKeySequence& shortcut) {
    QAction* item = menu->addAction(QString::fromUtf8(caption));
    item->setObjectName(name);
    item->setShortcut(shortcut);
    connect(item, &QAction::triggered, this, [this, command] { run(command); });
    actions_.insert(name, item);
    return item;
}

void FrmMoldrin::editGameData() {
    GameDataDialog dialog(storedGameDataSources(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    storeGameDataSources(dialog.sources());
    applyStoredGameData();
}

void FrmMoldrin::applyStoredGameData() {
    UvEditorState* uv = nullptr;
    for (auto* editor : findChildren<FrmUVEditor*>(QString(), Qt::FindDirectChildrenOnly))
        uv = &editor->uvState();
    run([uv](EditorState& s) {
        applyGameData(s,
                      gamedata::sourcesInOrder(storedGameDataSources(),
                                               std::getenv(gamedata::gameDataVariable)),
                      uv);
    });
}

void FrmMoldrin::buildMenus() {
    // Items that do what a tool button does run the button's command.
    auto sameAs = [this](const char* button) { return buttonCommands_.value(button); };
    auto checkable = [](QAction* item) { item->setCheckable(true); };

    QMenu* file = addMenu(nullptr, "mnuFile", "File");
    addItem(file, "mnuNew", "New", newModelCommand);
    addItem(file, "mnuOpen", "Open", openCommand, QKeySequence("Ctrl+O"));
    addItem(file, "mnuOpenFromArchive", "Open from Archive…",
            [this](EditorState& s) { openFromArchiveCommand(s, ArchiveDialog::chooser(this)); });
    addItem(file, "mnuSwitchGeoset", "Switch Geoset", switchGeosetCommand);
    file->addSeparator();
    addItem(file, "mnuSave", "Save", saveWithCheckTip, QKeySequence("Ctrl+S"));
    addItem(file, "mnuSaveAs", "Save As", saveAsWithCheckTip);
    addItem(file, "mnuSaveGeoset", "Save geoset", saveGeosetCommand);
    addItem(file, "mnuExport", "Export…", exportModelCommand);
    file->addSeparator();
    // Removing the edited geoset from the menu has no command; the item stays disabled.
    addItem(file, "mnuDelCurrentGeoset", "Delete Current Geoset", [](EditorState&) {
    })->setEnabled(false);
    addItem(file, "mnuMergeGeoset", "Merge Geoset", mergeGeosetCommand);
    addItem(file, "mnuImportMesh", "Import Mesh…", importMeshCommand);
    file->addSeparator();
    addItem(file, "mnuGameData", "Game Data…", [this](EditorState&) { editGameData(); });
    file->addSeparator();
    recentFilesMenu_ = addMenu(file, "mnuRecentFiles", "Recent Files");
    rebuildRecentFilesMenu();
    file->addSeparator();
    addItem(file, "mnuExit", "Exit", [this](EditorState&) { close(); });

    QMenu* edit = addMenu(nullptr, "mnuEdit", "Edit");
    addItem(edit, "mnuUndo", "Undo", undoLast, QKeySequence("Ctrl+Z"));
    addItem(edit, "mnuRedo", "Redo", redoLast, QKeySequence("Ctrl+Y"))
        ->setShortcuts({QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")});
    edit->addSeparator();
    addItem(edit, "mnuSelectAll", "Select All", selectAll, QKeySequence("Ctrl+A"));
    addItem(edit, "mnuInvertSelection", "Invert Selection", invertSelection,
            QKeySequence("Ctrl+I"));
    edit->addSeparator();
    addItem(edit, "mnuSnap", "Snap", sameAs("cmdSnap"), QKeySequence("Ctrl+N"));
    addItem(edit, "mnuDelete", "Delete", sameAs("cmdDelete"), QKeySequence(Qt::Key_Delete));
    addItem(edit, "mnuClone", "Clone", sameAs("cmdClone"), QKeySequence("Ctrl+C"));
    QMenu* mode = addMenu(edit, "mnuMode", "Mode");
    addItem(mode, "mnuSelect", "Select", sameAs("cmdSelect"), QKeySequence(Qt::Key_F1));
    addItem(mode, "mnuAdd", "Add", sameAs("cmdAdd"), QKeySequence(Qt::Key_F2));
    addItem(mode, "mnuDeselect", "Deselect", sameAs("cmdDeselect"), QKeySequence(Qt::Key_F3));
    addItem(mode, "mnuMove", "Move", sameAs("cmdMove"), QKeySequence(Qt::Key_F5));
    addItem(mode, "mnuRotate", "Rotate", sameAs("cmdRotate"), QKeySequence(Qt::Key_F6));
    addItem(mode, "mnuScale", "Scale", sameAs("cmdScale"), QKeySequence(Qt::Key_F7));
    addItem(mode, "mnuExtrude", "Extrude", sameAs("cmdExtrude"), QKeySequence(Qt::Key_F8));
    checkable(
        addItem(mode, "mnuXEnabled", "X Enabled", sameAs("cmdActivateX"), QKeySequence("Ctrl+F1")));
    checkable(
        addItem(mode, "mnuYEnabled", "Y Enabled", sameAs("cmdActivateY"), QKeySequence("Ctrl+F2")));
    checkable(
        addItem(mode, "mnuZEnabled", "Z Enabled", sameAs("cmdActivateZ"), QKeySequence("Ctrl+F3")));

    QMenu* tools = addMenu(nullptr, "mnuTools", "Tools");
    addItem(tools, "mnuExpandSelection", "Expand Selection", expandSelection,
            QKeySequence("Ctrl+E"));
    QMenu* centre = addMenu(tools, "mnuCenterOfMass", "Center of Mass");
    addItem(centre, "mnuViewCoM", "View", viewCentreOfMassCommand);
    addItem(centre, "mnuCopyCoM", "Copy to Clipboard", copyCentreOfMassCommand);
    tools->addSeparator();
    addItem(tools, "mnuSelVertCount", "Selected Vertex Counter", showSelectedVertexCount);
    addItem(tools, "mnuSelFaceCount", "Selected Face Counter", showSelectedFaceCount);
    addItem(tools, "mnuSetCoordinates", "Set Vertex Coordinates", setCoordinatesCommand);
    tools->addSeparator();
    addItem(tools, "mnuAssignVertexGroup", "Assign Vertex Group", assignVertexGroupCommand);
    addItem(tools, "mnuVertGroupOfSel", "Vertex Group of Selection", vertexGroupOfSelectionCommand);
    addItem(tools, "mnuSelectByVertGroup", "Select by Vertex Group", selectByVertexGroupCommand);
    addItem(tools, "mnuViewMatrices", "View Matrices", viewMatricesCommand);
    addItem(tools, "mnuAddMatrix", "Add Matrix", addMatrixCommand);
    tools->addSeparator();
    addItem(tools, "mnuWeld", "Weld", weldCommand, QKeySequence("Ctrl+W"));
    addItem(tools, "mnuDeleteFace", "Delete Face", deleteFaceCommand);
    addItem(tools, "mnuUVMapping", "UV Mapping",
            [this](EditorState& s) { FrmUVEditor::openFor(s, this); });
    addItem(tools, "mnuSnapNormals", "Snap Normals", snapNormalsCommand, QKeySequence("Ctrl+P"));
    addItem(tools, "mnuRecalculateNormals", "Recalculate Normals", recalcNormals);
    QMenu* mirror = addMenu(tools, "mnuMirror", "Mirror");
    addItem(mirror, "mnuMirrorX", "Mirror X", [](EditorState& s) { mirrorCommand(s, 'x'); });
    addItem(mirror, "mnuMirrorY", "Mirror Y", [](EditorState& s) { mirrorCommand(s, 'y'); });
    addItem(mirror, "mnuMirrorZ", "Mirror Z", [](EditorState& s) { mirrorCommand(s, 'z'); });
    QMenu* align = addMenu(tools, "mnuAlign", "Align");
    addItem(align, "mnuAlignX", "Align X", [](EditorState& s) { alignCommand(s, 'x'); });
    addItem(align, "mnuAlignY", "Align Y", [](EditorState& s) { alignCommand(s, 'y'); });
    addItem(align, "mnuAlignZ", "Aligh Z", [](EditorState& s) { alignCommand(s, 'z'); });
    addItem(tools, "mnuConvertFormatVersion", "Convert Format Version…",
            [](EditorState& s) { convertFormatVersionCommand(s); });
    tools->addSeparator();
    addItem(tools, "mnuCheckModel", "Check Model…", [this](EditorState& s) {
        runModelCheck(s);
        showCheckDock();
    });
    toolsItems_ = tools->findChildren<QAction*>();

    QMenu* view = addMenu(nullptr, "mnuView", "View");
    addItem(
        view, "mnuFitAll", "Fit All", [](EditorState& s) { s.changed(fitAllViews(s, s)); },
        QKeySequence(Qt::Key_Home));
    addItem(view, "mnuReset3DView", "Reset 3D View", [](EditorState& s) { resetPreviewCamera(s); });
    view->addSeparator();
    addItem(view, "mnuAddMarker", "Add Marker", addMarkerCommand);
    checkable(addItem(view, "mnuAddMarkerGraphically", "Add Marker Graphically",
                      addMarkerGraphicallyCommand));
    addItem(view, "mnuAddMarkerAtSelection", "Add Marker at Selection",
            addMarkerAtSelectionCommand);
    addItem(view, "mnuRemoveLastMarker", "Remove Last Marker", removeLastMarkerCommand);
    addItem(view, "mnuRemoveAllMarkers", "Remove All Markers", removeAllMarkersCommand);
    checkable(addItem(view, "mnuShowNormals", "Show Normals",
                      [](EditorState& s) { s.changed(toggleShowNormals(s)); }));

    QMenu* help = addMenu(nullptr, "mnuHelp", "Help");
    checkable(addItem(help, "mnuEnableTips", "Enable Tips", toggleTips));
    QMenu* instructions = addMenu(help, "mnuInstructions", "Instructions");
    const struct {
        const char* name;
        const char* caption;
        HelpTopic topic;
    } topics[] = {
        {"mnuSummary", "Summary", HelpTopic::Summary},
        {"mnuNavigation", "Navigation", HelpTopic::Navigation},
        {"mnuSelection", "Selection", HelpTopic::Selection},
        {"mnuTransformations", "Transformations", HelpTopic::Transformations},
        {"mnuCloning", "Cloning", HelpTopic::Cloning},
        {"mnuMarkers", "Markers", HelpTopic::Markers},
    };
    for (const auto& item : topics)
        addItem(instructions, item.name, item.caption,
                [topic = item.topic](EditorState& s) { showHelp(s, topic); });
    addItem(help, "mnuAbout", "About", showAbout);
}

} // namespace editor
