#pragma once

#include "gamedata/game_data.h"
#include "textures/texture_source.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace editor {

struct EditorState;
struct UvEditorState;

// The editor's game data: the sources in the order they are searched, and the texture lookup
// every view shares, which asks them after the model's folder. A copy of the state (a test's
// snapshot) shares them.
struct GameDataFields {
    std::shared_ptr<gamedata::GameData> gameData = std::make_shared<gamedata::GameData>();
    std::shared_ptr<textures::TextureSource> textureSource =
        std::make_shared<textures::TextureSource>(gameData.get());
};

// File > Game Data...: the list of sources as the dialog edits it. Each operation returns the
// entry chosen afterwards (-1 for none); an index out of range changes nothing.
struct GameDataList {
    std::vector<std::string> sources;

    // Appends a path not yet listed (the same path listed twice would be searched twice);
    // chooses it, or the entry already listed.
    int add(const std::string& path);
    int remove(int index);
    int moveUp(int index);
    int moveDown(int index);
};

// Makes the list the state's game data, then shows textures through it anew: the 3D view's
// scene is rebuilt and the texture editor, when given, looks its geoset's texture up again (at
// once when it is open, else when it next opens).
// Each source that cannot be used is one warning naming it (through the state's dialogs).
void applyGameData(EditorState& state, const std::vector<std::string>& sources,
                   UvEditorState* uv = nullptr);

// Makes the archive the open model was taken from (EditingState::archivedModel) the first place
// its textures are looked up after its folder, or none for a plain model file; the texture cache
// is dropped when that changes. Run by finishCommand.
void followModelArchive(EditorState& state);

} // namespace editor
