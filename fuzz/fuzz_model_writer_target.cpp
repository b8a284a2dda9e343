// Opens a fuzzed model, applies a few edits chosen by the input, saves, and reads the saved
// model back: the saved geoset must read again with the kept vertices and triangles.
#include "fuzz_support.h"

#include "common/scripted_dialogs.h"
#include "editor/editing/file_open.h"
#include "editor/editing/file_save.h"
#include "editor/interaction/editor_state.h"
#include "editor/interaction/window_lifecycle.h"
#include "editor/model/geoset_reader.h"
#include "editor/model/model_writer.h"

#include <algorithm>

namespace {

// The input: 4 bytes of edit choices, then the model file.
void applyEdits(editor::EditorState& state, const std::uint8_t* edits) {
    const auto n = state.vertices.size();
    const auto t = state.faces.size();
    if (n == 0)
        return;
    for (int k = 0; k < 2; ++k) {
        auto& vertex = state.vertices[edits[k] % n];
        vertex.deleted = (edits[k] & 0x80) != 0;
        vertex.selected = true;
        vertex.x += edits[k] * 0.5;
    }
    if (t > 0)
        state.faces[edits[2] % t].deleted = (edits[2] & 0x80) != 0;
    state.vertices[edits[3] % n].normalX = edits[3] / 7.0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 5)
        return 0;
    const int geoset = data[0] % 4 + 1;
    const auto path = fuzz::writeInput("model.mdl", data + 5, size - 5);
    common::ScriptedDialogs dialogs;
    editor::EditorState state;
    state.dialogs = &dialogs;
    dialogs.setAnswers({path.string(), std::to_string(geoset)});
    try {
        editor::openModel(state, state.vertices, state.faces, state.matrices, true, true);
    } catch (const common::ScriptExhausted&) {
        return 0;
    }
    if (!state.modelLoaded)
        return 0;
    applyEdits(state, data + 1);
    const auto kept = std::count_if(state.vertices.begin(), state.vertices.end(),
                                    [](const editor::VertexRecord& v) { return !v.deleted; });
    const auto written = editor::countWrittenFaces(state);
    const bool removing = kept == 0 || written == 0;
    try {
        editor::saveCommand(state);
    } catch (const common::ScriptExhausted&) {
        return 0;
    }
    if (!removing && dialogs.shown.empty()) {
        editor::EditorState again;
        common::ScriptedDialogs quiet;
        again.dialogs = &quiet;
        const bool read = editor::readGeosetFile(again, path.string(), again.vertices, again.faces,
                                                 again.matrices, state.geosetNumber, true);
        if (read && static_cast<long>(again.vertices.size()) != kept)
            __builtin_trap();
    }
    editor::closeMainWindow(state);
    return 0;
}
