#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace batch {

// Converts the model at input (MDL text, or MDX when it starts with "MDLX", whatever its name)
// to the format output's extension names (.mdl or .mdx, in any case), replacing output as a
// whole; .glb or .gltf exports it to glTF (formats/interchange), its textures found beside the
// input. What the MDL text cannot hold is listed once as a warning on err, and so is each
// geoset whose faces name vertices it does not have. Returns the exit status: 0 done, 1 the
// input is no model (mdx::notAModelProblem) or could not be read, or the output not written,
// 2 an output name without a known extension. With a format version (800, 1000 or 1100) the
// model is converted to it first, each thing approximated or dropped is one warning, and a
// conversion that would give the model check new errors writes nothing (exit 1).
int convertModel(const std::string& input, const std::string& output,
                 std::optional<std::uint32_t> formatVersion, std::ostream& out, std::ostream& err);

// --convert IN OUT [--format-version V]: the arguments after --convert.
int convertModelCommand(const std::vector<std::string>& arguments, std::ostream& out,
                        std::ostream& err);

} // namespace batch
