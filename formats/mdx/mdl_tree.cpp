#include "formats/mdx/mdl_tree.h"

#include "formats/mdl_tokens.h"
#include "formats/mdx/format_error.h"

#include <algorithm>

namespace mdx {

// Sets each item's view of its words once every word is in place (the array of words grows,
// and moves, while the text is parsed).
class MdlTreeBuilder {
  public:
    static void addWord(MdlItem& item, std::vector<MdlWord>& words, MdlWord word) {
        if (item.words.count_ == 0)
            item.words.offset_ = words.size();
        words.push_back(word);
        ++item.words.count_;
    }
    static void placeWords(MdlItem& item, const std::vector<MdlWord>& words) {
        if (item.words.count_ != 0)
            item.words.first_ = words.data() + item.words.offset_;
        for (auto& child : item.children)
            placeWords(child, words);
    }
};

namespace {

// Blocks nest no deeper than this in any model; deeper text is refused rather than recursed.
constexpr int maxDepth = 64;

// Comments before and between the top-level blocks that carry what the MDL layout cannot say
// ("// Chunks: ...", "// FaceGroups: ...", "// Flags: ...") become items: the marker word and
// the rest of the line as one word. Every other comment is passed over.
constexpr std::string_view markers[] = {"// Chunks:", "// FaceGroups:", "// Flags:"};

// Builds the tree from the tokens of the one MDL tokenizer (formats/mdl_tokens.h), which
// knows the byte order mark, every kind of line end, comments and quoted text.
class Parser {
  public:
    Parser(std::string_view text, std::vector<MdlWord>& words) : cursor_(text), words_(words) {}

    void parseBlock(MdlItem& parent, int depth, bool topLevel) {
        if (depth > maxDepth)
            throw FormatError("MDL", line_, "blocks nest deeper than " + std::to_string(maxDepth));
        MdlItem item;
        bool open = false; // item has words or a block not yet ended
        auto finish = [&] {
            if (open)
                parent.children.push_back(std::move(item));
            item = MdlItem{};
            open = false;
        };
        auto begin = [&](const formats::Token& token) {
            if (!open) {
                item.line = token.line;
                item.begin = offsetOf(token);
            }
            open = true;
        };
        formats::Token token;
        for (;;) {
            if (!cursor_.next(token)) {
                if (!cursor_.error().empty())
                    throw FormatError("MDL", cursor_.errorLine(), cursor_.error());
                if (!topLevel)
                    throw FormatError("MDL", cursor_.line(),
                                      "the text ends inside a block opened on line " +
                                          std::to_string(parent.line));
                finish();
                return;
            }
            line_ = token.line;
            switch (token.kind) {
            case formats::TokenKind::Comment:
                if (topLevel && markerOf(token.text)) {
                    finish();
                    parent.children.push_back(marker(token));
                }
                continue;
            case formats::TokenKind::CloseBrace:
                if (topLevel)
                    throw FormatError("MDL", line_, "a \"}\" closes no block");
                finish();
                parent.end = offsetOf(token) + 1;
                return;
            case formats::TokenKind::Comma:
                finish();
                continue;
            case formats::TokenKind::OpenBrace:
                if (item.hasBlock)
                    finish();
                begin(token);
                item.hasBlock = true;
                parseBlock(item, depth + 1, false);
                continue;
            default: // a word, number, quoted text or ":"
                if (item.hasBlock)
                    finish(); // a word after a block starts the next item
                begin(token);
                MdlTreeBuilder::addWord(item, words_, wordOf(token));
                item.end = offsetOf(token) + token.text.size();
            }
        }
    }

  private:
    static const std::string_view* markerOf(std::string_view comment) {
        for (const auto& m : markers)
            if (comment.substr(0, m.size()) == m)
                return &m;
        return nullptr;
    }

    MdlItem marker(const formats::Token& token) {
        const std::string_view m = *markerOf(token.text);
        MdlItem item;
        item.line = token.line;
        item.begin = offsetOf(token);
        item.end = item.begin + token.text.size();
        MdlTreeBuilder::addWord(item, words_, {m.substr(3), false});
        MdlTreeBuilder::addWord(item, words_, {token.text.substr(m.size()), false});
        return item;
    }

    static MdlWord wordOf(const formats::Token& token) {
        if (token.kind == formats::TokenKind::String)
            return {token.text.substr(1, token.text.size() - 2), true};
        return {token.text, false};
    }

    std::size_t offsetOf(const formats::Token& token) const { return cursor_.offsetOf(token); }

    formats::TokenCursor cursor_;
    std::vector<MdlWord>& words_;
    std::size_t line_ = 1;
};

} // namespace

MdlTree parseMdl(std::string_view text) {
    MdlTree tree;
    tree.root.line = 1;
    Parser parser(text, tree.words);
    parser.parseBlock(tree.root, 0, true);
    MdlTreeBuilder::placeWords(tree.root, tree.words);
    return tree;
}

} // namespace mdx

namespace mdx {

std::size_t numberCount(const MdlItem& item) {
    std::size_t n = 0;
    for (const auto& child : item.children)
        forEachNumber(child, [&](std::string_view) { ++n; });
    return n;
}

} // namespace mdx
