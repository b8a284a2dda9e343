#include "formats/mdx/mdl_tree.h"

namespace mdx {

// The first "{" outside comments and quoted text opens a top-level block; it belongs to an item
// when a word stands before it since the last ",".
bool hasTopLevelBlock(std::string_view text) {
    bool word = false;
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c == '{')
            return word;
        if (c == '}')
            return false;
        if (c == ',') {
            word = false;
        } else if (c == '/' && pos + 1 < text.size() && text[pos + 1] == '/') {
            pos = text.find_first_of("\r\n", pos); // a comment ends at any line end
            if (pos == std::string_view::npos)
                return false;
        } else if (c == '"') {
            pos = text.find('"', pos + 1);
            if (pos == std::string_view::npos)
                return false;
            word = true;
        } else if (c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '\f' && c != '\v') {
            word = true;
        }
    }
    return false;
}

} // namespace mdx
