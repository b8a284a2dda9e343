#include "editor/editing/markers_slots.h"

#include "editor/model/editor_state.h"

namespace editor {

int nextMarkerSlot(const EditorState& state) {
    for (int slot = 1; slot <= markerSlots; ++slot)
        if (!state.markers[static_cast<std::size_t>(slot)].used)
            return slot;
    return markerSlots;
}

} // namespace editor
