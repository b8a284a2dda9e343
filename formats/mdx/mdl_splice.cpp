#include "formats/mdx/mdl_splice.h"

#include "formats/mdx/mdl_tree.h"

#include <cstddef>
#include <map>
#include <utility>
#include <vector>

namespace mdx {

namespace {

using BlockKey = std::pair<std::string_view, std::size_t>; // first word, place among its word

struct Block {
    BlockKey key;
    std::string_view lead; // what stands between the block before and this one
    std::string_view bytes;
};

struct SplitText {
    std::string_view preamble; // everything before the first block
    std::vector<Block> blocks;
    std::string_view trailer; // everything after the last block
    std::map<BlockKey, std::size_t> index;

    const Block* find(const BlockKey& key) const {
        const auto found = index.find(key);
        return found == index.end() ? nullptr : &blocks[found->second];
    }
};

SplitText split(std::string_view text) {
    SplitText split;
    const auto spans = topLevelBlocks(text);
    if (spans.empty()) {
        split.preamble = text;
        return split;
    }
    split.preamble = text.substr(0, spans.front().begin);
    std::map<std::string_view, std::size_t> counts;
    std::size_t previousEnd = spans.front().begin;
    for (const auto& span : spans) {
        const BlockKey key{span.word, counts[span.word]++};
        split.index.emplace(key, split.blocks.size());
        split.blocks.push_back({key, text.substr(previousEnd, span.begin - previousEnd),
                                text.substr(span.begin, span.end - span.begin)});
        previousEnd = span.end;
    }
    split.trailer = text.substr(previousEnd);
    return split;
}

// The line end the text uses first; LF for a text of one line.
std::string_view lineEndOf(std::string_view text) {
    const auto found = text.find_first_of("\r\n");
    if (found == std::string_view::npos || text[found] == '\n')
        return "\n";
    return text.substr(found, 2) == "\r\n" ? "\r\n" : "\r";
}

bool endsLine(const std::string& text) {
    return text.empty() || text.back() == '\n' || text.back() == '\r';
}

class Output {
  public:
    explicit Output(std::string_view lineEnd) : lineEnd_(lineEnd) {}

    // Bytes of the original text, as they are.
    void keep(std::string_view bytes) { text_ += bytes; }

    // Bytes of the writer's text, with the original's line ends.
    void take(std::string_view bytes) {
        if (lineEnd_ == "\n") {
            text_ += bytes;
            return;
        }
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\r' || bytes[i] == '\n') {
                text_ += lineEnd_;
                if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                    ++i;
            } else {
                text_ += bytes[i];
            }
        }
    }

    // A block starts on a line of its own.
    void startLine() {
        if (!endsLine(text_))
            text_ += lineEnd_;
    }

    std::string finish() { return std::move(text_); }

  private:
    std::string_view lineEnd_;
    std::string text_;
};

} // namespace

std::string spliceModelText(std::string_view original, std::string_view before,
                            std::string_view after) {
    const auto o = split(original);
    const auto b = split(before);
    const auto a = split(after);

    // What becomes of each of original's blocks: its own bytes, after's, or nothing.
    enum class Fate { Keep, Replace, Remove };
    std::vector<Fate> fates;
    std::map<std::string_view, std::size_t> lastKept; // word -> the last block of it kept
    for (std::size_t i = 0; i < o.blocks.size(); ++i) {
        const auto& key = o.blocks[i].key;
        const auto* inBefore = b.find(key);
        const auto* inAfter = a.find(key);
        Fate fate = Fate::Keep;
        if (inAfter)
            fate = inBefore && inBefore->bytes == inAfter->bytes ? Fate::Keep : Fate::Replace;
        else if (inBefore)
            fate = Fate::Remove;
        fates.push_back(fate);
        if (fate != Fate::Remove)
            lastKept[key.first] = i;
    }

    // Where after's new blocks go. A block the writer writes alike before and after the edit,
    // which original does without, is not new.
    std::map<std::string_view, std::size_t> rank; // word -> its first place in after
    for (const auto& block : a.blocks)
        rank.emplace(block.key.first, rank.size());
    std::vector<std::vector<const Block*>> insertBefore(o.blocks.size()),
        insertAfter(o.blocks.size());
    std::vector<const Block*> atEnd;
    for (const auto& block : a.blocks) {
        if (o.find(block.key))
            continue;
        const auto* inBefore = b.find(block.key);
        if (inBefore && inBefore->bytes == block.bytes)
            continue;
        if (const auto kept = lastKept.find(block.key.first); kept != lastKept.end()) {
            insertAfter[kept->second].push_back(&block);
            continue;
        }
        const auto own = rank.at(block.key.first);
        std::size_t later = 0;
        while (later < o.blocks.size()) {
            const auto r = rank.find(o.blocks[later].key.first);
            if (r != rank.end() && r->second > own)
                break;
            ++later;
        }
        if (later < o.blocks.size())
            insertBefore[later].push_back(&block);
        else
            atEnd.push_back(&block);
    }

    Output out(lineEndOf(original));
    if (b.preamble == a.preamble)
        out.keep(o.preamble);
    else
        out.take(a.preamble);
    const auto add = [&](const std::vector<const Block*>& blocks) {
        for (const auto* block : blocks) {
            out.startLine();
            out.take(block->bytes);
        }
    };
    for (std::size_t i = 0; i < o.blocks.size(); ++i) {
        add(insertBefore[i]);
        const auto& block = o.blocks[i];
        if (fates[i] != Fate::Remove) {
            out.startLine();
            out.keep(block.lead);
            if (fates[i] == Fate::Keep)
                out.keep(block.bytes);
            else
                out.take(a.find(block.key)->bytes);
        }
        add(insertAfter[i]);
    }
    add(atEnd);
    out.keep(o.trailer);
    return out.finish();
}

} // namespace mdx
