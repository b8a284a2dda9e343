#include "formats/mdl_tokens.h"
#include "formats/mdx/format_error.h"
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

namespace {

bool isLineEnd(char c) {
    return c == '\n' || c == '\r';
}

// Where a block that starts at the token at first begins: the start of its line, when only
// spaces and tabs stand before it there and after from, the end of what came before.
std::size_t lineStart(std::string_view text, std::size_t from, std::size_t first) {
    std::size_t begin = first;
    while (begin > from && (text[begin - 1] == ' ' || text[begin - 1] == '\t'))
        --begin;
    return begin == from || isLineEnd(text[begin - 1]) ? begin : first;
}

// Where a block whose "}" ends before close ends: past the end of the "}"'s line, when only
// blanks or a comment follow it there.
std::size_t lineEnd(std::string_view text, std::size_t close) {
    std::size_t end = close;
    while (end < text.size() && (text[end] == ' ' || text[end] == '\t'))
        ++end;
    if (text.substr(end, 2) == "//")
        while (end < text.size() && !isLineEnd(text[end]))
            ++end;
    if (end == text.size())
        return end;
    if (text[end] == '\r')
        return text.substr(end, 2) == "\r\n" ? end + 2 : end + 1;
    return text[end] == '\n' ? end + 1 : close;
}

} // namespace

std::vector<MdlBlockSpan> topLevelBlocks(std::string_view text) {
    std::vector<MdlBlockSpan> blocks;
    formats::TokenCursor cursor(text);
    formats::Token token;
    std::size_t depth = 0;
    std::size_t openLine = 0;
    std::size_t scanned = 0; // the end of the last block
    formats::Token first;    // the first token of the top-level item being read
    bool haveFirst = false;
    while (cursor.next(token)) {
        if (token.kind == formats::TokenKind::Comment)
            continue;
        if (depth > 0) {
            if (token.kind == formats::TokenKind::OpenBrace) {
                ++depth;
            } else if (token.kind == formats::TokenKind::CloseBrace && --depth == 0) {
                const auto end = lineEnd(text, cursor.offsetOf(token) + 1);
                blocks.back().end = end;
                scanned = end;
                haveFirst = false;
            }
            continue;
        }
        switch (token.kind) {
        case formats::TokenKind::OpenBrace: {
            const auto& start = haveFirst ? first : token;
            blocks.push_back({haveFirst && first.kind == formats::TokenKind::Word
                                  ? first.text
                                  : std::string_view(),
                              lineStart(text, scanned, cursor.offsetOf(start)), 0});
            depth = 1;
            openLine = token.line;
            break;
        }
        case formats::TokenKind::CloseBrace:
            throw FormatError("MDL", token.line, "a \"}\" closes no block");
        case formats::TokenKind::Comma:
            haveFirst = false;
            break;
        default:
            if (!haveFirst)
                first = token;
            haveFirst = true;
        }
    }
    if (!cursor.error().empty())
        throw FormatError("MDL", cursor.errorLine(), cursor.error());
    if (depth > 0)
        throw FormatError("MDL", cursor.line(),
                          "the text ends inside a block opened on line " +
                              std::to_string(openLine));
    return blocks;
}

} // namespace mdx
