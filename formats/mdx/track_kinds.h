#pragma once

#include "formats/mdx/mdx_model.h"

#include <initializer_list>
#include <string_view>

namespace mdx {

// What a track tag holds: its MDL name, how many components a value has and whether they are
// integers.
struct TrackKind {
    Tag tag;
    const char* name;
    int components;
    bool integer;
};

// The kind of a known tag, or nullptr.
const TrackKind* trackKind(Tag tag);

using TagList = std::initializer_list<Tag>;

} // namespace mdx
