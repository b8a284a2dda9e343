#pragma once

#include "textures/texture_source.h"

#include <string>

namespace merger {

// The model check of a merged model against its base: the sentence "Done" adds naming each
// error the merged model has that the base model had not (the first few, and how many in all);
// empty when there is none, or when either file cannot be read as a whole model.
std::string newErrorsNote(const std::string& basePath, const std::string& outputPath,
                          const textures::TextureSource& textureSource);

} // namespace merger
