#include "editor/interaction/game_data_fields.h"

#include "common/dialogs.h"
#include "editor/interaction/editor_state.h"
#include "editor/preview/scene_building.h"
#include "editor/uv/uv_background.h"
#include "editor/uv/uv_editor_state.h"

#include <algorithm>
#include <utility>

namespace editor {

namespace {

bool inRange(const std::vector<std::string>& list, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < list.size();
}

} // namespace

int GameDataList::add(const std::string& path) {
    if (path.empty())
        return -1;
    const auto listed = std::find(sources.begin(), sources.end(), path);
    if (listed != sources.end())
        return static_cast<int>(listed - sources.begin());
    sources.push_back(path);
    return static_cast<int>(sources.size()) - 1;
}

int GameDataList::remove(int index) {
    if (!inRange(sources, index))
        return -1;
    sources.erase(sources.begin() + index);
    return sources.empty() ? -1 : std::min(index, static_cast<int>(sources.size()) - 1);
}

int GameDataList::moveUp(int index) {
    if (!inRange(sources, index))
        return -1;
    if (index == 0)
        return 0;
    std::swap(sources[static_cast<std::size_t>(index)],
              sources[static_cast<std::size_t>(index) - 1]);
    return index - 1;
}

int GameDataList::moveDown(int index) {
    if (!inRange(sources, index))
        return -1;
    if (static_cast<std::size_t>(index) + 1 == sources.size())
        return index;
    std::swap(sources[static_cast<std::size_t>(index)],
              sources[static_cast<std::size_t>(index) + 1]);
    return index + 1;
}

void applyGameData(EditorState& state, const std::vector<std::string>& sources, UvEditorState* uv) {
    state.gameData->setSources(sources);
    // The cache is dropped: a name may now come from another source.
    state.textureSource->setGameFiles(state.gameData.get());
    if (state.dialogs)
        for (const auto& problem : state.gameData->problems())
            state.dialogs->messageBox(problem, "Warning");
    if (state.previewShown && state.modelLoaded) {
        const auto camera = state.previewCamera;
        state.previewScene = preview::loadScene(state, *state.textureSource);
        state.previewCamera = camera; // the textures change, not the view
    }
    if (uv) {
        uv->textureLookedUpFor.clear(); // looked up anew when next shown
        if (uv->windowOpen)
            showGeosetTexture(*uv, state, *state.textureSource);
    }
}

void followModelArchive(EditorState& state) {
    const auto& archived = state.archivedModel;
    const bool isModel = archived && archived->path() == state.modelPath;
    const auto& current = state.gameData->modelArchive();
    if (isModel ? current && current->path() == archived->origin().archive : !current)
        return;
    std::shared_ptr<gamedata::MpqArchive> archive;
    if (isModel) {
        std::string ignored; // it was opened a moment ago; a failure leaves the lookup without it
        archive = gamedata::MpqArchive::open(archived->origin().archive, ignored);
    }
    state.gameData->setModelArchive(std::move(archive));
    state.textureSource->setGameFiles(state.gameData.get());
}

} // namespace editor
