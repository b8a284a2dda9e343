#include "editor/model/marker_slots.h"

#include "editor/model/geoset_model.h"

namespace editor {

int nextMarkerSlot(const GeosetModel& model) {
    for (int slot = 1; slot <= markerSlots; ++slot)
        if (!model.markers[static_cast<std::size_t>(slot)].used)
            return slot;
    return markerSlots;
}

} // namespace editor
