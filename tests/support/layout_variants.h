#pragma once

#include <string>
#include <string_view>

namespace testing_support {

// Layouts a tab-layout model is rewritten into, as other tools and hand edits leave them.
enum class Layout {
    TwoSpaces,  // two spaces a level, LF
    FourSpaces, // four spaces a level, LF
    Mixed,      // a hand-edited mix: byte order mark, tabs and spaces, CR LF and CR line ends,
                // trailing blanks, blank and comment lines, several items on one line, block
                // headers run together with their first item
};

// The same model in another layout: only blanks, line breaks and comments differ.
std::string relayout(std::string_view tabText, Layout layout);

const char* layoutName(Layout layout);

} // namespace testing_support
