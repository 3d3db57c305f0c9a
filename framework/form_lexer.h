// Tokens of the form-file text: identifiers, integers, quoted strings ('It''s', #13 for a control
// character, parts joined by +) and punctuation, each with its line for error reports.
#pragma once

#include <string>
#include <string_view>

class FormLexer {
  public:
    enum class Kind { Identifier, Integer, String, Symbol, End };
    struct Token {
        Kind kind = Kind::End;
        std::string text;  // an identifier, a string's value, or the symbol
        long long integer = 0;
        int line = 1;
    };

    explicit FormLexer(std::string_view text);

    const Token& Peek() const { return current_; }
    Token Next();
    // Throw EReadError naming the line of the next token, or the given line.
    [[noreturn]] void Fail(const std::string& message) const { FailAt(current_.line, message); }
    [[noreturn]] static void FailAt(int line, const std::string& message);

  private:
    Token Scan();
    void SkipBlanks();
    std::string ScanString();

    std::string_view text_;
    std::size_t at_ = 0;
    int line_ = 1;
    Token current_;
};
