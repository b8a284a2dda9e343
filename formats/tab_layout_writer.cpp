#include "formats/tab_layout.h"

namespace formats {

namespace {

class TabWriter {
  public:
    TabWriter(const std::vector<Token>& tokens, std::string_view lineEnd)
        : tokens_(tokens), lineEnd_(lineEnd) {}

    LayoutResult run() {
        LayoutResult result;
        std::size_t reserve = 0;
        for (const auto& token : tokens_)
            reserve += token.text.size() + 2;
        result.text.reserve(reserve + reserve / 4);
        out_ = &result.text;
        sourceLines_ = &result.sourceLines;
        for (std::size_t i = 0; i < tokens_.size(); ++i) {
            const auto& token = tokens_[i];
            switch (token.kind) {
            case TokenKind::Comment:
                if (blocks_.empty() && item_.empty()) {
                    flushSkinWeights();
                    writeLine(0, token.text, token.line);
                }
                break;
            case TokenKind::Comma:
                // A comma that ends no item (",," or "}," after a block) is dropped.
                if (!item_.empty()) {
                    append(token);
                    endItem();
                }
                break;
            case TokenKind::OpenBrace:
                if (const auto close = inlineGroupEnd(i)) {
                    const bool leads = item_.empty();
                    for (; i <= close; ++i)
                        if (tokens_[i].kind != TokenKind::Comment)
                            append(tokens_[i]);
                    --i;
                    // An item that is one group ends with it, with or without its comma, as
                    // data lines such as "{ 1, 2 }" are taken one a line.
                    if (leads) {
                        if (i + 1 < tokens_.size() && tokens_[i + 1].kind == TokenKind::Comma)
                            append(tokens_[++i]);
                        endItem();
                    }
                } else {
                    openBlock(token);
                }
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

    // The index of the "}" that ends an inline group of numbers opened at tokens_[open]: one or
    // more numbers separated by commas, without a comma before the "}". 0 when it is a block.
    std::size_t inlineGroupEnd(std::size_t open) const {
        if (firstOfItem_ && isNumberBlockWord(firstOfItem_->text))
            return 0;
        // Comments inside an item are dropped, so they do not count.
        std::size_t i = open;
        const auto next = [&] {
            ++i;
            while (i < tokens_.size() && tokens_[i].kind == TokenKind::Comment)
                ++i;
            return i < tokens_.size() ? tokens_[i].kind : TokenKind::Comment;
        };
        for (;;) {
            if (next() != TokenKind::Number)
                return 0;
            const auto after = next();
            if (after == TokenKind::CloseBrace)
                return i;
            if (after != TokenKind::Comma)
                return 0;
        }
    }

    void append(const Token& token) {
        if (!item_.empty() && token.kind != TokenKind::Comma && token.kind != TokenKind::Colon)
            item_ += ' ';
        item_ += token.text;
        if (!firstOfItem_)
            firstOfItem_ = &token;
        ++itemTokens_;
    }

    void openBlock(const Token& brace) {
        flushSkinWeights();
        const bool skinWeights = firstOfItem_ && firstOfItem_->text == "SkinWeights";
        const bool numberBlock = firstOfItem_ && isNumberBlockWord(firstOfItem_->text);
        if (!blocks_.empty())
            blocks_.back().onlyBareNumbers = false;
        if (!item_.empty())
            item_ += ' ';
        item_ += brace.text;
        writeLine(blocks_.size(), item_, firstOfItem_ ? firstOfItem_->line : brace.line);
        clearItem();
        blocks_.push_back({skinWeights, numberBlock, true});
    }

    void closeBlock(const Token& brace) {
        if (!item_.empty()) {
            // Bare numbers with no comma after the last would read back as one inline group;
            // this happens only when stray commas were dropped, and the comma keeps the block.
            const auto& block = blocks_.back();
            if (!block.numberBlock && block.onlyBareNumbers && itemTokens_ == 1 &&
                firstOfItem_->kind == TokenKind::Number)
                item_ += ',';
            endItem();
        }
        flushSkinWeights();
        blocks_.pop_back();
        writeLine(blocks_.size(), "}", brace.line);
    }

    void endItem() {
        const bool bareNumber = itemTokens_ <= 2 && firstOfItem_->kind == TokenKind::Number;
        if (!blocks_.empty() && !(bareNumber && item_.back() == ','))
            blocks_.back().onlyBareNumbers = false;
        if (!blocks_.empty() && blocks_.back().skinWeights && bareNumber && item_.back() == ',') {
            if (skinLine_.empty())
                skinSourceLine_ = firstOfItem_->line;
            else
                skinLine_ += ' ';
            skinLine_ += item_;
            if (++skinCount_ == skinWeightsPerLine)
                flushSkinWeights();
        } else {
            flushSkinWeights();
            const bool deeper = firstOfItem_->kind == TokenKind::Word &&
                                isTangentWord(firstOfItem_->text) && !blocks_.empty();
            writeLine(blocks_.size() + (deeper ? 1 : 0), item_, firstOfItem_->line);
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
        firstOfItem_ = nullptr;
        itemTokens_ = 0;
    }

    void writeLine(std::size_t depth, std::string_view text, std::size_t sourceLine) {
        out_->append(depth, '\t');
        out_->append(text);
        out_->append(lineEnd_);
        sourceLines_->push_back(sourceLine);
    }

    const std::vector<Token>& tokens_;
    std::string_view lineEnd_;
    std::string* out_ = nullptr;
    std::vector<Block> blocks_;
    std::string item_;
    const Token* firstOfItem_ = nullptr;
    int itemTokens_ = 0;
    std::string skinLine_;
    std::size_t skinSourceLine_ = 0;
    int skinCount_ = 0;
    std::vector<std::size_t>* sourceLines_ = nullptr;
};

} // namespace

LayoutResult writeTabLayout(const std::vector<Token>& tokens, std::string_view lineEnd) {
    return TabWriter(tokens, lineEnd).run();
}

} // namespace formats
