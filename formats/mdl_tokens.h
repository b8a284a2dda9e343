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

// Reads the tokens of MDL text one by one, without holding them: copy it to look ahead. Line
// ends may be LF, CR LF or CR; a leading UTF-8 byte order mark is skipped; "//" outside a
// string starts a comment that runs to the end of its line; a string must close on its own
// line. The tokens point into text, which must outlive them.
class TokenCursor {
  public:
    explicit TokenCursor(std::string_view text);
    // A cursor over a part of a larger text (one of its lines, say), where no byte order mark is
    // skipped: such bytes inside a text are a word's.
    static TokenCursor within(std::string_view part);
    // The next token; false at the end of the text or at a fault (error() says which).
    bool next(Token& token);
    const std::string& error() const { return error_; }
    // The line the cursor is on: after the last token, the text's last line.
    std::size_t line() const { return line_; }
    std::size_t errorLine() const { return errorLine_; }
    // Where a token this cursor read starts in its text, in bytes.
    std::size_t offsetOf(const Token& token) const {
        return static_cast<std::size_t>(token.text.data() - text_.data());
    }

  private:
    std::string_view text_;
    std::size_t position_ = 0;
    std::size_t line_ = 1;
    std::string error_;
    std::size_t errorLine_ = 0;
};

// All tokens of MDL text at once, as TokenCursor reads them.
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
