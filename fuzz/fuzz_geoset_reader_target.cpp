// Reads any geoset of any file: the first byte picks the geoset number, the rest is the file.
#include "fuzz_support.h"

#include "common/scripted_dialogs.h"
#include "editor/editing/file_open.h"
#include "editor/interaction/editor_state.h"
#include "editor/model/geoset_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const int geoset = data[0] % 8;
    const auto path = fuzz::writeInput("model.mdl", data + 1, size - 1);
    common::ScriptedDialogs dialogs;
    editor::EditorState state;
    state.dialogs = &dialogs;
    editor::readGeosetFile(state, path.string(), state.vertices, state.faces, state.matrices,
                           geoset, true);
    // Whatever was read must hold together: every corner names a vertex.
    for (const auto& face : state.faces)
        for (int corner : {face.a, face.b, face.c})
            if (corner < 0 || static_cast<std::size_t>(corner) >= state.vertices.size())
                __builtin_trap();
    return 0;
}
