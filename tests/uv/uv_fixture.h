#pragma once

#include "common/recording_canvas.h"
#include "editor/uv/uv_editor_state.h"
#include "editor/uv/uv_handover.h"
#include "support/editing_fixture.h"

namespace testing_support {

// A main window with a geoset and a texture coordinate editor drawing onto a recorded view
// of 400 x 400 pixels (so a tenth of the texture is 40 whole pixels).
struct UvFixture : EditingFixture {
    editor::UvEditorState uv;
    common::RecordingCanvas view{400, 400};

    UvFixture() {
        uv.pbxUVView = &view;
        uv.dialogs = &dialogs;
    }

    editor::VertexRecord& addUV(double u, double v, bool selected = false) {
        auto& vertex = addVertex(0, 0, 0, selected);
        vertex.u = u;
        vertex.v = v;
        return vertex;
    }
    void open() { editor::openUVMapping(state, uv); }

    std::vector<common::RecordingCanvas::Call> callsOf(common::RecordingCanvas::Kind kind) const {
        std::vector<common::RecordingCanvas::Call> found;
        for (const auto& call : view.calls)
            if (call.kind == kind)
                found.push_back(call);
        return found;
    }
};

} // namespace testing_support
