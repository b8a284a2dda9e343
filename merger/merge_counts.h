#pragma once

#include "merger/mdl_lines.h"

namespace merger {

// Makes the counts a merge changes say what the merged model holds: the Textures header counts
// its Bitmap entries, the Materials header its Material entries, and the Model block's
// NumGeosets the model's geoset blocks. A Model block that counts its other blocks but not
// its geosets (a model written without geosets) gets a NumGeosets line first. Lines are in the
// tab layout; a count the model does not declare otherwise stays undeclared.
void writeChangedCounts(Lines& model);

} // namespace merger
