#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace mdx {

// One word of MDL text: a bare word or number, a quoted string (without its quotes), or ":".
struct MdlWord {
    std::string text;
    bool quoted = false;
};

// One item of MDL text: words, then an optional block of items in braces. "Anim "Walk" {...}",
// "Rarity 2,", "{ 1, 2, 3 }," (no words, a block) and "10: 0.5," are items.
struct MdlItem {
    std::vector<MdlWord> words;
    std::vector<MdlItem> children;
    bool hasBlock = false;
    std::size_t line = 0;
};

// The items of MDL text in any whitespace layout; "//" starts a comment to the end of the
// line. Throws FormatError naming the line of an unclosed block or a stray "}".
MdlItem parseMdl(std::string_view text);

} // namespace mdx
