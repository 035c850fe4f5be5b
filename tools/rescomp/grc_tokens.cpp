#include "grc_tokens.hpp"

#include "source_error.hpp"

namespace rescomp {
namespace {

bool IsDigit(char ch) {
    return ch >= '0' && ch <= '9';
}
bool IsHexDigit(char ch) {
    return IsDigit(ch) || (ch >= 'a' && ch <= 'f') || (ch >= 'A' && ch <= 'F');
}
bool IsWordStart(char ch) {
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || ch == '_';
}
bool IsWordChar(char ch) {
    return IsWordStart(ch) || IsDigit(ch);
}

// Length of the well-formed UTF-8 sequence at the start of text; 0 when it is not one.
std::size_t Utf8SequenceLength(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    if (lead < 0x80) return 1;
    const std::size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                               : lead >= 0xE0 && lead <= 0xEF ? 3
                               : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                              : 0;
    if (length == 0 || text.size() < length) return 0;
    const auto second = static_cast<unsigned char>(text[1]);
    // The second byte rules out overlong forms, surrogates and code points beyond U+10FFFF.
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
        (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F)) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return 0;
    }
    return length;
}

bool IsUtf8(std::string_view text) {
    while (!text.empty()) {
        const std::size_t length = Utf8SequenceLength(text);
        if (length == 0) return false;
        text.remove_prefix(length);
    }
    return true;
}

class LineTokenizer {
public:
    LineTokenizer(std::string_view text, int line, const std::string& file, std::vector<Token>& out)
        : text_(text), line_(line), file_(file), out_(out) {}

    void Run() {
        if (!IsUtf8(text_)) Fail("the line is not UTF-8 text");
        while (pos_ < text_.size()) {
            const char ch = text_[pos_];
            if (ch == ' ' || ch == '\t') {
                ++pos_;
            } else if (ch == '#') {
                return;
            } else if (ch == '{' || ch == '}') {
                Emit(ch == '{' ? TokenKind::OpenBrace : TokenKind::CloseBrace, std::string(1, ch));
                ++pos_;
            } else if (ch == '"') {
                ReadString();
            } else if (IsDigit(ch) ||
                       (ch == '-' && pos_ + 1 < text_.size() && IsDigit(text_[pos_ + 1]))) {
                ReadNumber();
            } else if (IsWordStart(ch)) {
                const std::size_t start = pos_;
                while (pos_ < text_.size() && IsWordChar(text_[pos_])) ++pos_;
                Emit(TokenKind::Word, std::string(text_.substr(start, pos_ - start)));
            } else {
                Fail("unexpected character '" + std::string(1, ch) + "'");
            }
        }
    }

private:
    [[noreturn]] void Fail(const std::string& message) { throw SourceError(file_, line_, message); }

    void Emit(TokenKind kind, std::string text) { out_.push_back({kind, std::move(text), line_}); }

    char Unescaped(char escape) {
        constexpr std::string_view Escapes = "\"\\nt";
        constexpr std::string_view Meanings = "\"\\\n\t";
        const std::size_t which = Escapes.find(escape);
        if (which == std::string_view::npos) {
            Fail("unknown escape '\\" + std::string(1, escape) + "' in a string");
        }
        return Meanings[which];
    }

    void ReadString() {
        std::string value;
        for (++pos_; pos_ < text_.size(); ++pos_) {
            const char ch = text_[pos_];
            if (ch == '"') {
                ++pos_;
                Emit(TokenKind::String, std::move(value));
                return;
            }
            if (ch == '\\' && ++pos_ == text_.size()) break;
            value.push_back(ch == '\\' ? Unescaped(text_[pos_]) : ch);
        }
        Fail("the string is not closed on its line");
    }

    void ReadNumber() {
        const std::size_t start = pos_;
        if (text_[pos_] == '-') ++pos_;
        const bool hex = text_.substr(pos_, 2) == "0x" || text_.substr(pos_, 2) == "0X";
        if (hex && text_[start] == '-') Fail("a hexadecimal number takes no sign");
        if (hex) pos_ += 2;
        const std::size_t digits = pos_;
        while (pos_ < text_.size() && (hex ? IsHexDigit(text_[pos_]) : IsDigit(text_[pos_])))
            ++pos_;
        if (pos_ == digits || (pos_ < text_.size() && IsWordChar(text_[pos_]))) {
            Fail("malformed number '" + std::string(text_.substr(start, pos_ + 1 - start)) + "'");
        }
        Emit(TokenKind::Number, std::string(text_.substr(start, pos_ - start)));
    }

    std::string_view text_;
    int line_;
    const std::string& file_;
    std::vector<Token>& out_;
    std::size_t pos_ = 0;
};

}  // namespace

std::vector<Token> Tokenize(std::string_view source, const std::string& file) {
    std::vector<Token> tokens;
    int line = 1;
    while (!source.empty()) {
        const std::size_t end = source.find('\n');
        std::string_view text = source.substr(0, end);
        if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
        LineTokenizer(text, line, file, tokens).Run();
        source.remove_prefix(end == std::string_view::npos ? source.size() : end + 1);
        ++line;
    }
    return tokens;
}

}  // namespace rescomp
