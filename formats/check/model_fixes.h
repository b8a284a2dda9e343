#pragma once

// The fixes whose result is certain, each a function on the model that says what it changed
// (one sentence an item, empty when nothing). The editor runs one as an undoable step; the batch
// tool runs them all.

#include "formats/check/model_check.h"

namespace check {

// Sets every geoset extent, and the model's, that does not fit its vertices to their bounds.
Changes recalculateExtents(mdx::Model& model);

// Sorts the keys of every track (and the frames of every event track) by frame, keeping the
// order of keys on one frame, and drops keys that repeat the one before exactly.
Changes sortTrackKeys(mdx::Model& model);

// Removes the textures, materials, texture animations and global sequences nothing uses, and
// renumbers every reference to those that stay.
Changes removeUnused(mdx::Model& model);

// Makes each vertex's four skin weights sum to 255: the largest weight takes the difference, or,
// when it cannot, the weights are scaled and the largest takes the rounding. Vertices without
// any weight are left alone, as no result is certain for them.
Changes clampSkinWeights(mdx::Model& model);

} // namespace check
