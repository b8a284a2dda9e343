#pragma once

namespace editor {

struct GeosetModel;

// The marker slot a new marker goes into: the lowest free slot of 1..20, or 20 when all are
// used, so a 21st marker replaces marker 20.
int nextMarkerSlot(const GeosetModel& model);

} // namespace editor
