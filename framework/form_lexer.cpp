#include "framework/form_lexer.h"

#include <cctype>
#include <charconv>

#include "framework/exceptions.h"

namespace {

bool IsIdentifierStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsIdentifierPart(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }
bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

}  // namespace

FormLexer::FormLexer(std::string_view text) : text_(text) { current_ = Scan(); }

FormLexer::Token FormLexer::Next() {
    Token token = current_;
    current_ = Scan();
    return token;
}

void FormLexer::FailAt(int line, const std::string& message) {
    throw EReadError("Form file, line " + std::to_string(line) + ": " + message);
}

void FormLexer::SkipBlanks() {
    while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_]))) {
        if (text_[at_] == '\n') ++line_;
        ++at_;
    }
}

FormLexer::Token FormLexer::Scan() {
    SkipBlanks();
    Token token;
    token.line = line_;
    if (at_ >= text_.size()) return token;
    const char c = text_[at_];
    if (IsIdentifierStart(c)) {
        const std::size_t start = at_;
        while (at_ < text_.size() && IsIdentifierPart(text_[at_])) ++at_;
        token.kind = Kind::Identifier;
        token.text = std::string(text_.substr(start, at_ - start));
    } else if (IsDigit(c) || (c == '-' && at_ + 1 < text_.size() && IsDigit(text_[at_ + 1]))) {
        const std::size_t start = at_;
        ++at_;
        while (at_ < text_.size() && IsDigit(text_[at_])) ++at_;
        auto [end, error] = std::from_chars(text_.data() + start, text_.data() + at_, token.integer);
        if (error != std::errc{} || end != text_.data() + at_) {
            current_.line = line_;
            Fail("number out of range: " + std::string(text_.substr(start, at_ - start)));
        }
        token.kind = Kind::Integer;
    } else if (c == '\'' || c == '#') {
        token.kind = Kind::String;
        token.text = ScanString();
    } else {
        ++at_;
        token.kind = Kind::Symbol;
        token.text = std::string(1, c);
    }
    return token;
}

// A string is a run of quoted parts and #nn characters, optionally joined by '+' across lines.
std::string FormLexer::ScanString() {
    std::string value;
    for (;;) {
        if (at_ < text_.size() && text_[at_] == '\'') {
            ++at_;
            for (;;) {
                if (at_ >= text_.size() || text_[at_] == '\n') {
                    current_.line = line_;
                    Fail("unterminated string");
                }
                if (text_[at_] == '\'') {
                    if (at_ + 1 < text_.size() && text_[at_ + 1] == '\'') {
                        value += '\'';
                        at_ += 2;
                        continue;
                    }
                    ++at_;
                    break;
                }
                value += text_[at_++];
            }
        } else if (at_ < text_.size() && text_[at_] == '#') {
            ++at_;
            unsigned code = 0;
            auto [end, error] = std::from_chars(text_.data() + at_, text_.data() + text_.size(), code);
            if (error != std::errc{} || code > 255) {
                current_.line = line_;
                Fail("bad character code after #");
            }
            at_ = static_cast<std::size_t>(end - text_.data());
            value += static_cast<char>(code);
        } else {
            break;
        }
        // A '+' continues the string with another part, possibly on the next line.
        const std::size_t save = at_;
        const int saveLine = line_;
        SkipBlanks();
        if (at_ < text_.size() && text_[at_] == '+') {
            ++at_;
            SkipBlanks();
        } else if (!(at_ == save && at_ < text_.size() && (text_[at_] == '\'' || text_[at_] == '#'))) {
            at_ = save;
            line_ = saveLine;
            break;
        }
    }
    return value;
}
