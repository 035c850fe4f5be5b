// The tokens of a resource source: numbers, strings, bare words and braces, each with its line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace rescomp {

enum class TokenKind { Number, String, Word, OpenBrace, CloseBrace };

struct Token {
    TokenKind kind;
    std::string text;  // strings unescaped, numbers and words as written
    int line;
};

// Throws SourceError naming file and line for a character that starts no token, an unknown
// escape, an unterminated string, a malformed number or text that is not UTF-8.
std::vector<Token> Tokenize(std::string_view source, const std::string& file);

}  // namespace rescomp
