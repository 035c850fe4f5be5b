#include "grc_parser.hpp"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <utility>

#include "RS/ImageFormat.hpp"
#include "grc_tokens.hpp"
#include "source_error.hpp"

namespace rescomp {
namespace {

constexpr GSType StringList = FourCC("STRS");
constexpr GSType Icon = FourCC("GICN");
constexpr GSType AddOnId = FourCC("MDID");

// One resource as written: its header tokens (after TYPE and ID) and its body lines.
struct Statement {
    GSType type;
    Int16 id;
    int line;
    std::vector<Token> header;
    std::vector<std::vector<Token>> body;  // tokens grouped by source line
};

std::optional<std::string> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return std::nullopt;
    return bytes;
}

// A number token's value when it lies in [low, high]; hex numbers are written without sign.
std::optional<Int64> NumberValue(const Token& token, Int64 low, Int64 high) {
    const std::string& text = token.text;
    const bool hex = text.size() > 2 && (text[1] == 'x' || text[1] == 'X');
    const char* first = text.data() + (hex ? 2 : 0);
    Int64 value = 0;
    const auto [end, error] =
        std::from_chars(first, text.data() + text.size(), value, hex ? 16 : 10);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

class Parser {
public:
    Parser(std::vector<Token> tokens, const std::string& file, const std::string& baseFolder)
        : tokens_(std::move(tokens)), file_(file), baseFolder_(baseFolder) {}

    std::vector<Resource> Run() {
        std::vector<Resource> resources;
        std::map<std::pair<GSType, Int16>, int> seen;
        while (pos_ < tokens_.size()) {
            const Statement statement = ReadStatement();
            const auto [where, inserted] =
                seen.emplace(std::pair(statement.type, statement.id), statement.line);
            if (!inserted) {
                Fail(statement.line,
                     "this resource is already defined on line " + std::to_string(where->second));
            }
            resources.push_back(Compile(statement));
        }
        return resources;
    }

private:
    [[noreturn]] void Fail(int line, const std::string& message) const {
        throw SourceError(file_, line, message);
    }

    const Token& Next(int line, const char* what) {
        if (pos_ == tokens_.size())
            Fail(line, std::string("the file ends where ") + what + " belongs");
        return tokens_[pos_++];
    }

    Statement ReadStatement() {
        const Token& type = Next(0, "a resource type");
        if (type.kind != TokenKind::Word || type.text.size() != 4) {
            Fail(type.line, "expected a four-character resource type, found '" + type.text + "'");
        }
        const Token& id = Next(type.line, "a resource number");
        const auto idValue =
            id.kind == TokenKind::Number ? NumberValue(id, -32768, 32767) : std::nullopt;
        if (!idValue)
            Fail(id.line,
                 "expected a resource number from -32768 to 32767, found '" + id.text + "'");
        Statement statement{FourCC({type.text[0], type.text[1], type.text[2], type.text[3], '\0'}),
                            Int16(*idValue),
                            type.line,
                            {},
                            {}};
        // The header runs to '{'; without one on this line or the next token, there is no body.
        while (pos_ < tokens_.size() && tokens_[pos_].kind != TokenKind::OpenBrace &&
               tokens_[pos_].line == type.line) {
            if (tokens_[pos_].kind == TokenKind::CloseBrace)
                Fail(tokens_[pos_].line, "'}' without '{'");
            statement.header.push_back(tokens_[pos_++]);
        }
        if (pos_ < tokens_.size() && tokens_[pos_].kind == TokenKind::OpenBrace)
            ReadBody(statement);
        return statement;
    }

    void ReadBody(Statement& statement) {
        const int open = tokens_[pos_++].line;
        for (;;) {
            if (pos_ == tokens_.size()) Fail(open, "the '{' here is never closed");
            const Token& token = tokens_[pos_++];
            if (token.kind == TokenKind::CloseBrace) return;
            if (token.kind == TokenKind::OpenBrace) Fail(token.line, "'{' inside a resource body");
            if (statement.body.empty() || statement.body.back().back().line != token.line) {
                statement.body.emplace_back();
            }
            statement.body.back().push_back(token);
        }
    }

    Resource Compile(const Statement& statement) const {
        switch (statement.type) {
            case StringList:
                return CompileStringList(statement);
            case AddOnId:
                return CompileNumbers(statement);
            case Icon:
                return CompileIcon(statement);
            default:
                return CompileTokenLines(statement);
        }
    }

    // A leading string of the header is the resource's name; the rest must be what the type
    // allows.
    std::string TakeName(const Statement& statement, std::size_t argumentsAllowed) const {
        const auto& header = statement.header;
        const bool named = !header.empty() && header.front().kind == TokenKind::String;
        if (header.size() - (named ? 1 : 0) > argumentsAllowed) {
            Fail(statement.line,
                 "unexpected '" + header.back().text + "' after the resource number");
        }
        return named ? header.front().text : std::string();
    }

    std::vector<Token> BodyTokens(const Statement& statement, TokenKind kind,
                                  const char* what) const {
        std::vector<Token> tokens;
        for (const auto& line : statement.body) {
            for (const Token& token : line) {
                if (token.kind != kind) Fail(token.line, "'" + token.text + "' is not " + what);
                tokens.push_back(token);
            }
        }
        return tokens;
    }

    Resource CompileStringList(const Statement& statement) const {
        Resource resource{statement.type, statement.id, TakeName(statement, 0), {}, statement.line};
        const auto strings = BodyTokens(statement, TokenKind::String, "a string");
        RS::image::AppendUInt32(resource.data, UInt32(strings.size()));
        for (const Token& string : strings) {
            RS::image::AppendUInt32(resource.data, UInt32(string.text.size()));
            resource.data += string.text;
        }
        return resource;
    }

    Resource CompileNumbers(const Statement& statement) const {
        Resource resource{statement.type, statement.id, TakeName(statement, 0), {}, statement.line};
        for (const Token& number : BodyTokens(statement, TokenKind::Number, "a number")) {
            const auto value = NumberValue(number, -0x80000000LL, 0xFFFFFFFFLL);
            if (!value) Fail(number.line, "'" + number.text + "' does not fit in 32 bits");
            RS::image::AppendUInt32(resource.data, UInt32(*value));
        }
        return resource;
    }

    Resource CompileIcon(const Statement& statement) const {
        const auto& header = statement.header;
        if (header.size() != 2 || header[0].kind != TokenKind::String ||
            header[1].kind != TokenKind::String) {
            Fail(statement.line, "an icon is written GICN ID \"NAME\" \"FILE\"");
        }
        if (!statement.body.empty()) Fail(statement.line, "an icon has no body");
        const std::string path = (std::filesystem::path(baseFolder_) / header[1].text).string();
        auto bytes = ReadFileBytes(path);
        if (!bytes) Fail(statement.line, "cannot read '" + path + "'");
        return {statement.type, statement.id, header[0].text, std::move(*bytes), statement.line};
    }

    Resource CompileTokenLines(const Statement& statement) const {
        Resource resource{statement.type, statement.id, {}, {}, statement.line};
        AppendTokenLine(resource.data, statement.header);
        for (const auto& line : statement.body) AppendTokenLine(resource.data, line);
        return resource;
    }

    void AppendTokenLine(std::string& data, const std::vector<Token>& tokens) const {
        for (std::size_t i = 0; i < tokens.size(); ++i) {
            const Token& token = tokens[i];
            if (i > 0) data.push_back('\t');
            if (token.kind != TokenKind::String) {
                data += token.text;
                continue;
            }
            if (token.text.find_first_of("\t\n") != std::string::npos) {
                Fail(token.line, "a string of a token line cannot hold a TAB or line end");
            }
            data += '"' + token.text;
        }
        data.push_back('\n');
    }

    std::vector<Token> tokens_;
    const std::string& file_;
    const std::string& baseFolder_;
    std::size_t pos_ = 0;
};

}  // namespace

std::vector<Resource> ParseGrc(const std::string& source, const std::string& file,
                               const std::string& baseFolder) {
    return Parser(Tokenize(source, file), file, baseFolder).Run();
}

std::vector<Resource> ParseGrcFile(const std::string& path) {
    const auto source = ReadFileBytes(path);
    if (!source) throw SourceError(path, 0, "cannot read the file");
    return ParseGrc(*source, path, std::filesystem::path(path).parent_path().string());
}

}  // namespace rescomp
