#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace formats {

// A model's text in the tab layout (formats/tab_layout.h), or why it cannot be.
struct NormalisedText {
    std::string text;
    bool rewritten = false; // false: the text was already in the tab layout, byte for byte
    std::string error;      // empty on success
    std::size_t errorLine = 0;
    // When rewritten: for every line of text, the line of the original it comes from.
    std::vector<std::size_t> sourceLines;

    bool ok() const { return error.empty(); }
    // The line of the original text that line (1-based) of text comes from.
    std::size_t sourceLine(std::size_t line) const {
        if (!rewritten || line == 0)
            return line;
        return line <= sourceLines.size() ? sourceLines[line - 1]
                                          : (sourceLines.empty() ? 1 : sourceLines.back());
    }
};

// The model text in the tab layout: text already in it is given back unchanged; any other
// layout (spaces, several items a line, blank lines, CR line ends, a byte order mark, trailing
// blanks) is rewritten, with the line ends of its first line. Numbers and words keep their
// text. Fails only on text that has no tokens to speak of: a string that does not end on its
// line, a "}" that closes no block.
NormalisedText normaliseModelText(std::string text);

// Always rewrites, even text already in the tab layout.
NormalisedText rewriteModelText(std::string_view text);

} // namespace formats
