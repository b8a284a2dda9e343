#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace formats {

// The pieces of MDL text. Numbers and words keep their exact text; a string keeps its quotes.
enum class TokenKind { Word, Number, String, OpenBrace, CloseBrace, Comma, Colon, Comment };

struct Token {
    TokenKind kind = TokenKind::Word;
    std::string_view text; // a view into the tokenized text
    std::size_t line = 0;  // 1-based
};

struct TokenizeResult {
    std::vector<Token> tokens;
    std::string error; // empty when the whole text was read
    std::size_t errorLine = 0;

    bool ok() const { return error.empty(); }
};

// Splits MDL text into tokens. Line ends may be LF, CR LF or CR; a leading UTF-8 byte order
// mark is skipped; "//" outside a string starts a comment that runs to the end of its line.
// A string must close on its own line. The tokens point into text, which must outlive them.
TokenizeResult tokenize(std::string_view text);

// The blanks that separate tokens.
inline bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// The characters that end a word or number on their own.
inline bool isDelimiter(char c) {
    return c == '{' || c == '}' || c == ',' || c == ':' || c == '"';
}

// A word of the characters that are neither blank nor delimiter is a number when it starts
// like one: a digit, or a sign or period followed by a digit or period.
TokenKind wordKind(std::string_view text);

inline constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

} // namespace formats
