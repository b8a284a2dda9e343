#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace editor {

struct EditingState;

// What Convert Format Version did: the versions, and what was approximated or dropped.
struct FormatVersionConverted {
    std::uint32_t from = 0;
    std::uint32_t to = 0;
    std::vector<std::string> changes;
};

// The versions offered, in the order of the pick list, with their captions.
inline constexpr std::uint32_t formatVersionChoices[] = {800, 1000, 1100};
const char* formatVersionCaption(std::uint32_t version);

// Converts the whole model to the target version after asking whether the undo history may be
// cleared; one step through editWholeModel, then the history is cleared. What changed is one
// message titled "Convert Format Version"; a refusal is one "Error" and changes nothing. The
// result when the model was converted.
std::optional<FormatVersionConverted> convertFormatVersionTo(EditingState& state,
                                                             std::uint32_t target);

// Tools > Convert Format Version…: asks for the version, then as convertFormatVersionTo.
std::optional<FormatVersionConverted> convertFormatVersionCommand(EditingState& state);

} // namespace editor
