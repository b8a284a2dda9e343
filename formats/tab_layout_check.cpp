#include "formats/tab_layout.h"

#include <array>
#include <cstring>
#include <vector>

namespace formats {

namespace {

// What one line holds, as far as the layout is concerned.
enum class LineKind { Invalid, Comment, Header, Close, Item };

struct LineShape {
    LineKind kind = LineKind::Invalid;
    std::string_view first; // the first token's text
    TokenKind firstKind = TokenKind::Word;
    bool endsWithComma = false;
    bool bareNumber = false; // one number, with or without its comma
    int skinPairs = 0;       // the "n," pairs of a SkinWeights line made of nothing else
    bool groupOnly = false;  // the item is one inline group, as "{ 1, 2 }"
};

// An open block while the lines are checked.
struct OpenBlock {
    bool numberBlock = false; // VertexGroup or SkinWeights
    bool skinWeights = false;
    bool onlyBareNumbers = true;
    bool lastHadComma = true;
    bool shortSkinLine = false; // the last line held fewer than eight weights
    int items = 0;
};

// The shape of the text of one line after its tabs, or Invalid when the writer would not have
// written it so. inBlock: the line lies inside a block; skinWeights: inside a SkinWeights block.
LineShape lineShape(std::string_view text, bool inBlock, bool skinWeights) {
    LineShape shape;
    auto cursor = TokenCursor::within(text);
    Token current;
    std::size_t position = 0; // past the last token
    int tokens = 0;
    int commas = 0;
    bool inGroup = false, groupWantsNumber = false;
    bool skinPairs = skinWeights; // "n, n, ..." alternating, as a SkinWeights line holds
    TokenKind previous = TokenKind::Comma;
    for (;;) {
        if (!cursor.next(current)) {
            // A quoted text left open, blanks at the end, or nothing at all.
            if (!cursor.error().empty() || position != text.size() || tokens == 0)
                return {};
            break;
        }
        // Tokens are apart by spaces only.
        const auto start = cursor.offsetOf(current);
        for (std::size_t i = position; i < start; ++i)
            if (text[i] != ' ')
                return {};
        const std::size_t spaces = start - position;
        const TokenKind kind = current.kind;
        const auto token = current.text;
        position = start + token.size();
        const bool last = position == text.size();

        if (tokens == 0) {
            if (spaces > 0)
                return {};
            shape.first = token;
            shape.firstKind = kind;
        } else if (kind == TokenKind::Comma || kind == TokenKind::Colon) {
            if (spaces != 0)
                return {};
        } else if (spaces != 1 &&
                   !(spaces > 1 && kind == TokenKind::OpenBrace && last && inBlock)) {
            return {};
        }
        ++tokens;

        if (skinPairs && kind != (tokens % 2 == 1 ? TokenKind::Number : TokenKind::Comma))
            skinPairs = false;

        if (kind == TokenKind::Comment) {
            if (tokens > 1 || inBlock)
                return {};
            shape.kind = LineKind::Comment;
            return shape;
        }
        if (inGroup) {
            if (groupWantsNumber) {
                if (kind != TokenKind::Number)
                    return {};
                groupWantsNumber = false;
            } else if (kind == TokenKind::Comma) {
                groupWantsNumber = true;
            } else if (kind == TokenKind::CloseBrace) {
                inGroup = false;
                // An item that is one group ends with it.
                if (shape.firstKind == TokenKind::OpenBrace) {
                    shape.groupOnly = true;
                    if (!last && text.substr(position) != ",")
                        return {};
                }
            } else {
                return {};
            }
            previous = kind;
            continue;
        }
        switch (kind) {
        case TokenKind::OpenBrace:
            if (last) {
                if (commas > 0)
                    return {};
                shape.kind = LineKind::Header;
                return shape;
            }
            if (shape.firstKind == TokenKind::Word && isNumberBlockWord(shape.first))
                return {};
            inGroup = groupWantsNumber = true;
            break;
        case TokenKind::CloseBrace:
            if (tokens > 1 || !last)
                return {};
            shape.kind = LineKind::Close;
            return shape;
        case TokenKind::Comma:
            ++commas;
            if (!last && !skinPairs)
                return {};
            break;
        default:
            break;
        }
        previous = kind;
    }
    if (inGroup)
        return {};
    if (shape.firstKind == TokenKind::Comma && tokens == 1)
        return {}; // the writer drops a comma that ends no item
    shape.kind = LineKind::Item;
    shape.endsWithComma = previous == TokenKind::Comma;
    shape.bareNumber = shape.firstKind == TokenKind::Number &&
                       (tokens == 1 || (tokens == 2 && shape.endsWithComma));
    if (skinPairs && tokens % 2 == 0)
        shape.skinPairs = tokens / 2;
    // Commas inside an item end it: only a SkinWeights line holds several.
    if (commas > (shape.endsWithComma ? 1 : 0) && shape.skinPairs == 0)
        return {};
    return shape;
}

// A table: this runs for every character of every number of a model.
constexpr auto numberChars = [] {
    std::array<bool, 256> table{};
    for (unsigned char c : std::string_view("0123456789.-+eE"))
        table[c] = true;
    return table;
}();

bool isNumberChar(char c) {
    return numberChars[static_cast<unsigned char>(c)];
}

// The number starting at text[position], made only of number characters: its end, or 0 when
// there is none or it is not a number token.
std::size_t numberEnd(std::string_view text, std::size_t position) {
    std::size_t end = position;
    while (end < text.size() && isNumberChar(text[end]))
        ++end;
    if (end == position || wordKind(text.substr(position, end - position)) != TokenKind::Number)
        return 0;
    return end;
}

// The end of the group of numbers "{ n, n, n }" at text[position], or 0 when there is none.
std::size_t groupEnd(std::string_view text, std::size_t position) {
    if (text.size() < position + 4 || text[position] != '{' || text[position + 1] != ' ')
        return 0;
    position += 2;
    for (;;) {
        const auto end = numberEnd(text, position);
        if (end == 0 || end + 2 > text.size())
            return 0;
        if (text[end] == ',' && text[end + 1] == ' ') {
            position = end + 2;
            continue;
        }
        return text[end] == ' ' && text[end + 1] == '}' ? end + 2 : 0;
    }
}

// The shapes of nearly every line of a large model, "{ n, n, n },", "n," and the keys of
// tracks "n: { n, n, n },", told without taking the line into tokens. False when the line is
// of another form (it may still be valid).
bool quickDataLine(std::string_view text, LineShape& shape) {
    if (const auto end = groupEnd(text, 0); end != 0) {
        const auto rest = text.substr(end);
        if (!rest.empty() && rest != ",")
            return false;
        shape.kind = LineKind::Item;
        shape.first = text.substr(0, 1);
        shape.firstKind = TokenKind::OpenBrace;
        shape.endsWithComma = !rest.empty();
        shape.groupOnly = true;
        return true;
    }
    const auto end = numberEnd(text, 0);
    if (end == 0 || end == text.size())
        return false;
    if (text[end] == ',') {
        if (end + 1 != text.size())
            return false;
        shape.bareNumber = true;
    } else {
        if (text.substr(end, 2) != ": ")
            return false;
        const auto close = groupEnd(text, end + 2);
        if (close == 0)
            return false;
        const auto rest = text.substr(close);
        if (!rest.empty() && rest != ",")
            return false;
    }
    shape.kind = LineKind::Item;
    shape.first = text.substr(0, end);
    shape.firstKind = TokenKind::Number;
    shape.endsWithComma = text.back() == ',';
    return true;
}

// A block whose items are bare numbers with no comma after the last is one inline group to
// the writer, not a block.
bool closesAsBlock(const OpenBlock& block) {
    return block.numberBlock || block.items == 0 || !block.onlyBareNumbers || block.lastHadComma;
}

} // namespace

bool isTabLayout(std::string_view text) {
    if (text.substr(0, byteOrderMark.size()) == byteOrderMark)
        return false;
    std::vector<OpenBlock> blocks;
    blocks.reserve(16);
    std::size_t depth = 0;
    bool mustClose = false; // the last item had no comma: a "}" or the end must follow
    std::size_t position = 0;
    while (position < text.size()) {
        const char* start = text.data() + position;
        const void* found = std::memchr(start, '\n', text.size() - position);
        const std::size_t end =
            found ? static_cast<std::size_t>(static_cast<const char*>(found) - text.data())
                  : text.size();
        auto line = text.substr(position, end - position);
        position = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || isBlank(line.back()))
            return false;
        std::size_t tabs = 0;
        while (tabs < line.size() && line[tabs] == '\t')
            ++tabs;
        const bool skinWeights = depth > 0 && blocks[depth - 1].skinWeights;
        LineShape shape;
        // A data line is checked character by character; any other line must hold no CR, which
        // would end a line (or a string or comment) to the tokenizer.
        if (skinWeights || !quickDataLine(line.substr(tabs), shape)) {
            if (std::memchr(line.data(), '\r', line.size()))
                return false;
            shape = lineShape(line.substr(tabs), depth > 0, skinWeights);
        }
        if (mustClose && shape.kind != LineKind::Close)
            return false;
        // The writer puts eight weights on a line and starts a shorter line only before
        // something else.
        auto countItem = [&](bool bareNumber, bool comma, int skinPairs) {
            if (depth == 0)
                return true;
            auto& block = blocks[depth - 1];
            ++block.items;
            block.onlyBareNumbers = block.onlyBareNumbers && bareNumber;
            block.lastHadComma = comma;
            if (skinPairs > 0 && (block.shortSkinLine || skinPairs > skinWeightsPerLine))
                return false;
            block.shortSkinLine = skinPairs > 0 && skinPairs < skinWeightsPerLine;
            return true;
        };
        switch (shape.kind) {
        case LineKind::Invalid:
            return false;
        case LineKind::Comment:
            if (tabs != 0)
                return false;
            break;
        case LineKind::Header:
            if (tabs != depth || !countItem(false, true, 0))
                return false;
            blocks.resize(depth + 1);
            blocks[depth] = {};
            blocks[depth].numberBlock =
                shape.firstKind == TokenKind::Word && isNumberBlockWord(shape.first);
            blocks[depth].skinWeights =
                shape.firstKind == TokenKind::Word && shape.first == "SkinWeights";
            ++depth;
            break;
        case LineKind::Close:
            if (depth == 0 || tabs != depth - 1 || !closesAsBlock(blocks[depth - 1]))
                return false;
            --depth;
            mustClose = false;
            break;
        case LineKind::Item: {
            const bool deeper =
                depth > 0 && shape.firstKind == TokenKind::Word && isTangentWord(shape.first);
            if (tabs != depth + (deeper ? 1 : 0) ||
                !countItem(shape.bareNumber, shape.endsWithComma, shape.skinPairs))
                return false;
            mustClose = !shape.endsWithComma && !shape.groupOnly;
            break;
        }
        }
    }
    return true;
}

} // namespace formats
