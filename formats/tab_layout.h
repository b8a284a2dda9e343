#pragma once

#include "formats/mdl_tokens.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace formats {

// The tab layout every reader of the editor and the merger follows:
// - one item a line, indented with one tab per open block (InTan and OutTan lines of a key
//   may sit one tab deeper, as every tool writes them);
// - a block's header ends its line with "{", its closing "}" stands alone on a line;
// - a brace group of numbers only, as "{ 1, 2, 3 }", stays on its item's line;
// - tokens are separated by one space, with no space before "," and ":";
// - a SkinWeights block holds one vertex (eight numbers) a line;
// - comments only outside every block, on lines of their own (what MDL cannot say of a binary
//   model is kept in such comments, before the first block);
// - no blank lines, no trailing blanks, LF or CR LF line ends, no byte order mark.

struct LayoutResult {
    std::string text;
    // For every line written, the 1-based line of the tokens it holds, for messages.
    std::vector<std::size_t> sourceLines;
    std::string error; // empty on success
    std::size_t errorLine = 0;

    bool ok() const { return error.empty(); }
};

// Writes the tokens of the text in the tab layout, each line ended by lineEnd. Comments inside
// an item or a block are left out. A closing brace that closes no
// block is an error, as are the tokenizer's faults; blocks left open at the end stay open.
LayoutResult writeTabLayout(std::string_view text, std::string_view lineEnd);

// True when the text is already in the tab layout, so that writing its tokens again would
// give the same text (apart from the line ends, and runs of spaces before the "{" of a
// header inside a block, which the readers take alike). One pass over the text.
bool isTabLayout(std::string_view text);

// The header words whose blocks hold bare numbers, which are never one inline brace group.
inline bool isNumberBlockWord(std::string_view word) {
    return word == "VertexGroup" || word == "SkinWeights";
}

// Item lines written one tab deeper than their block.
inline bool isTangentWord(std::string_view word) {
    return word == "InTan" || word == "OutTan";
}

inline constexpr int skinWeightsPerLine = 8;

} // namespace formats
