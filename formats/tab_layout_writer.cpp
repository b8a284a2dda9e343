#include "formats/tab_layout.h"

namespace formats {

namespace {

// Reads the tokens straight from the text, looking ahead with copies of the cursor, so that a
// large model is never held as a list of tokens.
class TabWriter {
  public:
    TabWriter(std::string_view text, std::string_view lineEnd)
        : cursor_(text), lineEnd_(lineEnd), sizeHint_(text.size()) {}

    LayoutResult run() {
        LayoutResult result;
        result.text.reserve(sizeHint_);
        out_ = &result.text;
        sourceLines_ = &result.sourceLines;
        Token token;
        while (cursor_.next(token)) {
            switch (token.kind) {
            case TokenKind::Comment:
                if (item_.empty() && blocks_.empty())
                    writeLine(0, token.text, token.line);
                break;
            case TokenKind::Comma:
                // A comma that ends no item (",," or "}," after a block) is dropped.
                if (!item_.empty()) {
                    append(token);
                    endItem();
                }
                break;
            case TokenKind::OpenBrace:
                if (isInlineGroup())
                    appendInlineGroup(token);
                else
                    openBlock(token);
                break;
            case TokenKind::CloseBrace:
                if (blocks_.empty()) {
                    result.error = "a \"}\" closes no block";
                    result.errorLine = token.line;
                    return result;
                }
                closeBlock(token);
                break;
            default:
                append(token);
                break;
            }
        }
        if (!cursor_.error().empty()) {
            result.error = cursor_.error();
            result.errorLine = cursor_.errorLine();
            return result;
        }
        if (!item_.empty())
            endItem();
        flushSkinWeights();
        return result;
    }

  private:
    struct Block {
        bool skinWeights = false;
        bool numberBlock = false;
        bool onlyBareNumbers = true; // every item so far one number and its comma
    };

    // The next token that is not a comment, read from cursor; false at the end.
    static bool nextOfItem(TokenCursor& cursor, Token& token) {
        while (cursor.next(token))
            if (token.kind != TokenKind::Comment)
                return true;
        return false;
    }

    // Whether the "{" just read opens an inline group of numbers: one or more numbers
    // separated by commas, without a comma before the "}". Comments inside an item are
    // dropped, so they do not count.
    bool isInlineGroup() const {
        if (hasFirst_ && isNumberBlockWord(firstOfItem_.text))
            return false;
        TokenCursor ahead = cursor_;
        Token token;
        for (;;) {
            if (!nextOfItem(ahead, token) || token.kind != TokenKind::Number)
                return false;
            if (!nextOfItem(ahead, token))
                return false;
            if (token.kind == TokenKind::CloseBrace)
                return true;
            if (token.kind != TokenKind::Comma)
                return false;
        }
    }

    void appendInlineGroup(const Token& open) {
        const bool leads = item_.empty();
        append(open);
        Token token;
        while (nextOfItem(cursor_, token)) {
            append(token);
            if (token.kind == TokenKind::CloseBrace)
                break;
        }
        // An item that is one group ends with it, with or without its comma, as data lines
        // such as "{ 1, 2 }" are taken one a line.
        if (!leads)
            return;
        TokenCursor ahead = cursor_;
        if (ahead.next(token) && token.kind == TokenKind::Comma) {
            cursor_ = ahead;
            append(token);
        }
        endItem();
    }

    void append(const Token& token) {
        if (!item_.empty() && token.kind != TokenKind::Comma && token.kind != TokenKind::Colon)
            item_ += ' ';
        item_ += token.text;
        if (!hasFirst_) {
            firstOfItem_ = token;
            hasFirst_ = true;
        }
        ++itemTokens_;
    }

    void openBlock(const Token& brace) {
        flushSkinWeights();
        const bool skinWeights = hasFirst_ && firstOfItem_.text == "SkinWeights";
        const bool numberBlock = hasFirst_ && isNumberBlockWord(firstOfItem_.text);
        if (!blocks_.empty())
            blocks_.back().onlyBareNumbers = false;
        if (!item_.empty())
            item_ += ' ';
        item_ += brace.text;
        writeLine(blocks_.size(), item_, hasFirst_ ? firstOfItem_.line : brace.line);
        clearItem();
        blocks_.push_back({skinWeights, numberBlock, true});
    }

    void closeBlock(const Token& brace) {
        if (!item_.empty()) {
            // Bare numbers with no comma after the last would read back as one inline group;
            // this happens only when stray commas were dropped, and the comma keeps the block.
            const auto& block = blocks_.back();
            if (!block.numberBlock && block.onlyBareNumbers && itemTokens_ == 1 &&
                firstOfItem_.kind == TokenKind::Number)
                item_ += ',';
            endItem();
        }
        flushSkinWeights();
        blocks_.pop_back();
        writeLine(blocks_.size(), "}", brace.line);
    }

    void endItem() {
        const bool bareNumber = itemTokens_ <= 2 && firstOfItem_.kind == TokenKind::Number;
        if (!blocks_.empty() && !(bareNumber && item_.back() == ','))
            blocks_.back().onlyBareNumbers = false;
        if (!blocks_.empty() && blocks_.back().skinWeights && bareNumber && item_.back() == ',') {
            if (skinLine_.empty())
                skinSourceLine_ = firstOfItem_.line;
            else
                skinLine_ += ' ';
            skinLine_ += item_;
            if (++skinCount_ == skinWeightsPerLine)
                flushSkinWeights();
        } else {
            flushSkinWeights();
            const bool deeper = firstOfItem_.kind == TokenKind::Word &&
                                isTangentWord(firstOfItem_.text) && !blocks_.empty();
            writeLine(blocks_.size() + (deeper ? 1 : 0), item_, firstOfItem_.line);
        }
        clearItem();
    }

    void flushSkinWeights() {
        if (skinLine_.empty())
            return;
        writeLine(blocks_.size(), skinLine_, skinSourceLine_);
        skinLine_.clear();
        skinCount_ = 0;
    }

    void clearItem() {
        item_.clear();
        hasFirst_ = false;
        itemTokens_ = 0;
    }

    void writeLine(std::size_t depth, std::string_view text, std::size_t sourceLine) {
        out_->append(depth, '\t');
        out_->append(text);
        out_->append(lineEnd_);
        sourceLines_->push_back(sourceLine);
    }

    TokenCursor cursor_;
    std::string_view lineEnd_;
    std::size_t sizeHint_ = 0; // the rewritten text is about as long as the original
    std::string* out_ = nullptr;
    std::vector<std::size_t>* sourceLines_ = nullptr;
    std::vector<Block> blocks_;
    std::string item_;
    Token firstOfItem_;
    bool hasFirst_ = false;
    int itemTokens_ = 0;
    std::string skinLine_;
    std::size_t skinSourceLine_ = 0;
    int skinCount_ = 0;
};

} // namespace

LayoutResult writeTabLayout(std::string_view text, std::string_view lineEnd) {
    return TabWriter(text, lineEnd).run();
}

} // namespace formats
