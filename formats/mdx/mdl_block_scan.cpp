#include "formats/mdl_tokens.h"
#include "formats/mdx/mdl_tree.h"

namespace mdx {

// The first "{" opens a top-level block; it belongs to an item when a word stands before it
// since the last ",".
bool hasTopLevelBlock(std::string_view text) {
    formats::TokenCursor cursor(text);
    formats::Token token;
    bool word = false;
    while (cursor.next(token)) {
        switch (token.kind) {
        case formats::TokenKind::OpenBrace:
            return word;
        case formats::TokenKind::CloseBrace:
            return false;
        case formats::TokenKind::Comma:
            word = false;
            break;
        case formats::TokenKind::Comment:
            break;
        default:
            word = true;
        }
    }
    return false;
}

} // namespace mdx
