#include "formats/mdx/mdl_tree.h"

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

class Parser {
  public:
    Parser(std::string_view text, std::vector<MdlWord>& words) : text_(text), words_(words) {}

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
        for (;;) {
            skipBlanks(topLevel);
            if (topLevel && atMarker()) {
                finish();
                parent.children.push_back(marker());
                continue;
            }
            if (pos_ >= text_.size()) {
                if (!topLevel)
                    throw FormatError("MDL", line_,
                                      "the text ends inside a block opened on line " +
                                          std::to_string(parent.line));
                finish();
                return;
            }
            const char c = text_[pos_];
            if (c == '}') {
                if (topLevel)
                    throw FormatError("MDL", line_, "a \"}\" closes no block");
                ++pos_;
                finish();
                return;
            }
            if (c == ',') {
                ++pos_;
                finish();
                continue;
            }
            if (c == '{') {
                if (item.hasBlock)
                    finish();
                ++pos_;
                if (!open)
                    item.line = line_;
                open = true;
                item.hasBlock = true;
                const std::size_t opened = line_;
                MdlItem& self = item;
                self.line = self.line ? self.line : opened;
                parseBlock(self, depth + 1, false);
                continue;
            }
            if (item.hasBlock)
                finish(); // a word after a block starts the next item
            if (!open)
                item.line = line_;
            open = true;
            MdlTreeBuilder::addWord(item, words_, word());
        }
    }

  private:
    // Comments before and between the top-level blocks that carry what the MDL layout cannot
    // say ("// Chunks: ...", "// FaceGroups: ...", "// Flags: ...") become items: the marker
    // word and the rest of the line as one word. Inside blocks every comment is passed over.
    static constexpr std::string_view markers[] = {"// Chunks:", "// FaceGroups:", "// Flags:"};

    bool atMarker() const {
        for (auto m : markers)
            if (text_.substr(pos_, m.size()) == m)
                return true;
        return false;
    }

    MdlItem marker() {
        MdlItem item;
        item.line = line_;
        for (auto m : markers)
            if (text_.substr(pos_, m.size()) == m) {
                MdlTreeBuilder::addWord(item, words_, {m.substr(3), false});
                pos_ += m.size();
            }
        const auto end = std::min(text_.find('\n', pos_), text_.size());
        MdlTreeBuilder::addWord(item, words_, {text_.substr(pos_, end - pos_), false});
        pos_ = end;
        return item;
    }

    void skipBlanks(bool topLevel) {
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == '\n') {
                ++line_;
                ++pos_;
            } else if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
                ++pos_;
            } else if (c == '/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '/') {
                if (topLevel && atMarker())
                    return;
                while (pos_ < text_.size() && text_[pos_] != '\n')
                    ++pos_;
            } else {
                return;
            }
        }
    }

    MdlWord word() {
        MdlWord w;
        if (text_[pos_] == '"') {
            const std::size_t start = ++pos_;
            while (pos_ < text_.size() && text_[pos_] != '"') {
                if (text_[pos_] == '\n')
                    ++line_;
                ++pos_;
            }
            if (pos_ >= text_.size())
                throw FormatError("MDL", line_, "a quoted text is not closed");
            w.text = text_.substr(start, pos_ - start);
            w.quoted = true;
            ++pos_;
            return w;
        }
        if (text_[pos_] == ':') {
            ++pos_;
            w.text = ":";
            return w;
        }
        const std::size_t start = pos_;
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ',' || c == '{' ||
                c == '}' || c == ':' || c == '"' || c == '\f' || c == '\v')
                break;
            if (c == '/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '/')
                break;
            ++pos_;
        }
        w.text = text_.substr(start, pos_ - start);
        return w;
    }

    std::string_view text_;
    std::vector<MdlWord>& words_;
    std::size_t pos_ = 0;
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
