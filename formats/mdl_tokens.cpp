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

TokenizeResult tokenize(std::string_view text) {
    TokenizeResult result;
    // About one token in six characters in model files; reserving spares the regrowth.
    result.tokens.reserve(text.size() / 6 + 16);
    std::size_t position =
        text.substr(0, byteOrderMark.size()) == byteOrderMark ? byteOrderMark.size() : 0;
    std::size_t line = 1;
    const auto add = [&](TokenKind kind, std::size_t start, std::size_t end) {
        result.tokens.push_back({kind, text.substr(start, end - start), line});
    };
    while (position < text.size()) {
        const char c = text[position];
        if (c == '\n') {
            ++line;
            ++position;
        } else if (c == '\r') {
            // CR LF is one line end, a CR alone another.
            if (position + 1 >= text.size() || text[position + 1] != '\n')
                ++line;
            ++position;
        } else if (isBlank(c)) {
            ++position;
        } else if (c == '"') {
            std::size_t end = position + 1;
            while (end < text.size() && text[end] != '"' && text[end] != '\n' && text[end] != '\r')
                ++end;
            if (end >= text.size() || text[end] != '"') {
                result.error = "a text in double quotes does not end on its line";
                result.errorLine = line;
                return result;
            }
            add(TokenKind::String, position, end + 1);
            position = end + 1;
        } else if (startsComment(text, position)) {
            std::size_t end = position;
            while (end < text.size() && text[end] != '\n' && text[end] != '\r')
                ++end;
            std::size_t last = end;
            while (last > position && isBlank(text[last - 1]))
                --last;
            add(TokenKind::Comment, position, last);
            position = end;
        } else if (c == '{' || c == '}' || c == ',' || c == ':') {
            const auto kind = c == '{'   ? TokenKind::OpenBrace
                              : c == '}' ? TokenKind::CloseBrace
                              : c == ',' ? TokenKind::Comma
                                         : TokenKind::Colon;
            add(kind, position, position + 1);
            ++position;
        } else {
            std::size_t end = position + 1;
            while (end < text.size() && !isBlank(text[end]) && !isDelimiter(text[end]) &&
                   !startsComment(text, end))
                ++end;
            const auto word = text.substr(position, end - position);
            add(wordKind(word), position, end);
            position = end;
        }
    }
    return result;
}

} // namespace formats
