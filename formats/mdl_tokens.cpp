#include "formats/mdl_tokens.h"

namespace formats {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool startsComment(std::string_view text, std::size_t position) {
    return text[position] == '/' && position + 1 < text.size() && text[position + 1] == '/';
}

} // namespace

TokenKind wordKind(std::string_view text) {
    if (text.empty())
        return TokenKind::Word;
    if (isDigit(text[0]))
        return TokenKind::Number;
    if ((text[0] == '-' || text[0] == '+' || text[0] == '.') && text.size() > 1 &&
        (isDigit(text[1]) || text[1] == '.'))
        return TokenKind::Number;
    return TokenKind::Word;
}

TokenCursor::TokenCursor(std::string_view text)
    : text_(text),
      position_(text.substr(0, byteOrderMark.size()) == byteOrderMark ? byteOrderMark.size() : 0) {}

TokenCursor TokenCursor::within(std::string_view part) {
    TokenCursor cursor(part);
    cursor.position_ = 0;
    return cursor;
}

bool TokenCursor::next(Token& token) {
    const auto& text = text_;
    auto& position = position_;
    while (position < text.size()) {
        const char c = text[position];
        if (c == '\n') {
            ++line_;
            ++position;
        } else if (c == '\r') {
            // CR LF is one line end, a CR alone another.
            if (position + 1 >= text.size() || text[position + 1] != '\n')
                ++line_;
            ++position;
        } else if (isBlank(c)) {
            ++position;
        } else {
            break;
        }
    }
    if (position >= text.size() || !error_.empty())
        return false;
    const std::size_t start = position;
    const char c = text[position];
    token.line = line_;
    if (c == '"') {
        std::size_t end = position + 1;
        while (end < text.size() && text[end] != '"' && text[end] != '\n' && text[end] != '\r')
            ++end;
        if (end >= text.size() || text[end] != '"') {
            error_ = "a text in double quotes does not end on its line";
            errorLine_ = line_;
            return false;
        }
        token.kind = TokenKind::String;
        position = end + 1;
    } else if (startsComment(text, position)) {
        std::size_t end = position;
        while (end < text.size() && text[end] != '\n' && text[end] != '\r')
            ++end;
        position = end;
        while (end > start && isBlank(text[end - 1]))
            --end;
        token.kind = TokenKind::Comment;
        token.text = text.substr(start, end - start);
        return true;
    } else if (c == '{' || c == '}' || c == ',' || c == ':') {
        token.kind = c == '{'   ? TokenKind::OpenBrace
                     : c == '}' ? TokenKind::CloseBrace
                     : c == ',' ? TokenKind::Comma
                                : TokenKind::Colon;
        ++position;
    } else {
        std::size_t end = position + 1;
        while (end < text.size() && !isBlank(text[end]) && !isDelimiter(text[end]) &&
               !startsComment(text, end))
            ++end;
        token.kind = wordKind(text.substr(position, end - position));
        position = end;
    }
    token.text = text.substr(start, position - start);
    return true;
}

TokenizeResult tokenize(std::string_view text) {
    TokenizeResult result;
    TokenCursor cursor(text);
    Token token;
    while (cursor.next(token))
        result.tokens.push_back(token);
    result.error = cursor.error();
    result.errorLine = cursor.errorLine();
    return result;
}

} // namespace formats
