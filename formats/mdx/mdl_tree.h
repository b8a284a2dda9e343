#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace mdx {

// One word of MDL text: a bare word or number, a quoted string (without its quotes), or ":".
// The text is a view into the MDL text parsed, which must outlive the tree.
struct MdlWord {
    std::string_view text;
    bool quoted = false;
};

// The words of one item: a view into the words of the whole tree.
class MdlWords {
  public:
    const MdlWord* begin() const { return first_; }
    const MdlWord* end() const { return first_ + count_; }
    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    const MdlWord& front() const { return first_[0]; }
    const MdlWord& operator[](std::size_t i) const { return first_[i]; }

  private:
    friend class MdlTreeBuilder;
    const MdlWord* first_ = nullptr;
    std::size_t offset_ = 0; // where the words start among the tree's words, while parsing
    std::size_t count_ = 0;
};

// One item of MDL text: words, then an optional block of items in braces. "Anim "Walk" {...}",
// "Rarity 2,", "{ 1, 2, 3 }," (no words, a block) and "10: 0.5," are items.
struct MdlItem {
    MdlWords words;
    std::vector<MdlItem> children;
    bool hasBlock = false;
    std::size_t line = 0;
    // The item's bytes in the text: from its first word (or "{") to past its last word or its
    // block's "}".
    std::size_t begin = 0;
    std::size_t end = 0;
};

// The items of MDL text and the words they view. All words sit in one array, so that the
// hundreds of thousands of items of a large geoset cost no allocation each.
struct MdlTree {
    MdlTree() = default;
    MdlTree(MdlTree&&) = default;
    MdlTree& operator=(MdlTree&&) = default;
    MdlTree(const MdlTree&) = delete; // a copy would view the words of the original
    MdlTree& operator=(const MdlTree&) = delete;

    std::vector<MdlWord> words;
    MdlItem root;
};

// Calls f with each word of an item and of the items inside it, whether its numbers are
// written "{ a, b }" or as bare words "a, b,".
template <class F> void forEachNumber(const MdlItem& item, F&& f) {
    for (const auto& w : item.words)
        f(w.text);
    for (const auto& child : item.children)
        forEachNumber(child, f);
}

// How many number words the children of item hold.
std::size_t numberCount(const MdlItem& item);

// The items of MDL text in any whitespace layout, read by the MDL tokenizer: a byte order mark,
// LF, CR LF and CR line ends, "//" comments to the end of the line. Throws FormatError naming
// the line of an unclosed block, a stray "}" or a quoted text left open at its line's end.
MdlTree parseMdl(std::string_view text);

// True when the text has a top-level item with words and a block ("Version { ... }"), as every
// model text does. Reads only up to the first "{", so it costs nothing on a model of any size.
bool hasTopLevelBlock(std::string_view text);

// One top-level block of MDL text ("Geoset { ... }", "Bone "Root" { ... }"), by whole lines:
// from the start of the line of its first word (its leading blanks kept) to the end of the line
// of its closing "}", that line end included. Where another token shares one of those lines,
// the block ends right after its "}", or starts at its first word.
struct MdlBlockSpan {
    std::string_view word; // the first word: "Geoset", "Bone", "Textures", ...
    std::size_t begin = 0;
    std::size_t end = 0;
};

// The top-level blocks of MDL text in order, read by the MDL tokenizer; top-level items without
// a block and comments belong to none. Throws FormatError naming the line of a stray "}", a block
// left open at the end or a quoted text left open at its line's end.
std::vector<MdlBlockSpan> topLevelBlocks(std::string_view text);

} // namespace mdx
