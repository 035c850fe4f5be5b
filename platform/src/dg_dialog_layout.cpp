// Reading GDLG layouts and DLGH help tables from the resource compiler's token lines.
#include <charconv>
#include <limits>

#include "DG/DialogLayout.hpp"

namespace DG {

namespace {

using Tokens = std::vector<std::string_view>;

// Items are numbered with 16-bit values.
constexpr std::size_t kMaxItems = 32767;

Tokens SplitTokens(std::string_view line) {
    Tokens tokens;
    for (std::size_t start = 0; !line.empty();) {
        const std::size_t end = line.find('\t', start);
        tokens.push_back(line.substr(start, end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return tokens;
}

// Always at least one line: line 0 holds the header arguments.
std::vector<Tokens> SplitTokenLines(std::string_view text) {
    std::vector<Tokens> lines;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(SplitTokens(text.substr(start, end - start)));
        if (end == std::string_view::npos) return lines;
        start = end + 1;
    }
}

std::optional<GS::UniString> StringToken(std::string_view token) {
    if (token.empty() || token.front() != '"') return std::nullopt;
    token.remove_prefix(1);
    return GS::UniString(token, GS::CC_UTF8);
}

// Decimal with an optional '-', or 0x hex, within the range of short.
std::optional<short> NumberToken(std::string_view token) {
    int base = 10;
    if (token.starts_with("0x") || token.starts_with("0X")) {
        token.remove_prefix(2);
        base = 16;
    }
    long value = 0;
    const auto [end, error] =
        std::from_chars(token.data(), token.data() + token.size(), value, base);
    if (token.empty() || error != std::errc() || end != token.data() + token.size()) {
        return std::nullopt;
    }
    if (value < std::numeric_limits<short>::min() || value > std::numeric_limits<short>::max()) {
        return std::nullopt;
    }
    return short(value);
}

std::optional<Rect> RectTokens(const Tokens& tokens, std::size_t first) {
    if (tokens.size() < first + 4) return std::nullopt;
    Rect rect;
    short* fields[] = {&rect.x, &rect.y, &rect.width, &rect.height};
    for (std::size_t i = 0; i < 4; ++i) {
        const auto number = NumberToken(tokens[first + i]);
        if (!number) return std::nullopt;
        *fields[i] = *number;
    }
    return rect;
}

std::optional<short> GrowTypeToken(std::string_view token) {
    constexpr std::string_view names[] = {"NoGrow", "HGrow", "VGrow", "HVGrow"};
    for (short i = 0; i < 4; ++i) {
        if (token == names[i]) return i;
    }
    return std::nullopt;
}

struct KindName {
    std::string_view name;
    ItemKind kind;
};
constexpr KindName kKinds[] = {
    {"Button", ItemKind::Button},       {"GroupBox", ItemKind::GroupBox},
    {"LeftText", ItemKind::StaticText}, {"TextEdit", ItemKind::TextEdit},
    {"PopUp", ItemKind::PopUp},         {"Icon", ItemKind::Picture},
};

std::optional<ItemKind> KindToken(std::string_view token) {
    for (const KindName& entry : kKinds) {
        if (entry.name == token) return entry.kind;
    }
    return std::nullopt;
}

// The fields after the rectangle, by kind.
bool ReadItemContent(const Tokens& tokens, ItemLayout& item) {
    const std::size_t first = 5;
    switch (item.kind) {
        case ItemKind::Button:
        case ItemKind::GroupBox:
        case ItemKind::StaticText: {
            const auto text =
                tokens.size() == first + 1 ? StringToken(tokens[first]) : std::nullopt;
            if (text) item.text = *text;
            return text.has_value();
        }
        case ItemKind::TextEdit: {
            const auto length =
                tokens.size() == first + 1 ? NumberToken(tokens[first]) : std::nullopt;
            if (length) item.maxLength = *length;
            return length.has_value() && *length > 0;
        }
        case ItemKind::PopUp:
            for (std::size_t i = first; i < tokens.size(); ++i) {
                const auto entry = StringToken(tokens[i]);
                if (!entry) return false;
                item.entries.push_back(*entry);
            }
            return !item.entries.empty();
        case ItemKind::Picture: {
            const auto icon =
                tokens.size() == first + 1 ? NumberToken(tokens[first]) : std::nullopt;
            if (icon) item.iconId = *icon;
            return icon.has_value();
        }
    }
    return false;
}

std::optional<ItemLayout> ReadItem(const Tokens& tokens) {
    if (tokens.empty()) return std::nullopt;
    const auto kind = KindToken(tokens[0]);
    const auto rect = RectTokens(tokens, 1);
    if (!kind || !rect) return std::nullopt;
    ItemLayout item;
    item.kind = *kind;
    item.rect = *rect;
    if (!ReadItemContent(tokens, item)) return std::nullopt;
    return item;
}

bool ReadHeader(const Tokens& tokens, DialogLayout& layout) {
    if (tokens.size() != 7 || tokens[0] != "Modal") return false;
    const auto growType = GrowTypeToken(tokens[1]);
    const auto frame = RectTokens(tokens, 2);
    const auto title = StringToken(tokens[6]);
    if (!growType || !frame || !title || frame->width <= 0 || frame->height <= 0) return false;
    layout.growType = *growType;
    layout.frame = *frame;
    layout.title = *title;
    return true;
}

}  // namespace

std::optional<DialogLayout> ParseDialogLayout(std::string_view tokenLines) {
    const std::vector<Tokens> lines = SplitTokenLines(tokenLines);
    DialogLayout layout;
    if (!ReadHeader(lines.front(), layout)) return std::nullopt;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (lines[i].empty()) continue;
        auto item = ReadItem(lines[i]);
        if (!item) return std::nullopt;
        layout.items.push_back(std::move(*item));
        if (layout.items.size() > kMaxItems) return std::nullopt;
    }
    return layout;
}

void ApplyDialogHelp(std::string_view tokenLines, DialogLayout& layout) {
    const std::vector<Tokens> lines = SplitTokenLines(tokenLines);
    if (lines.front().size() == 1) {
        if (const auto anchor = StringToken(lines.front()[0])) layout.helpAnchor = *anchor;
    }
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const Tokens& tokens = lines[i];
        if (tokens.size() != 3) continue;
        const auto number = NumberToken(tokens[0]);
        const auto tooltip = StringToken(tokens[1]);
        const auto anchor = StringToken(tokens[2]);
        if (!number || !tooltip || !anchor || *number < 1 || *number > short(layout.items.size())) {
            continue;
        }
        ItemLayout& item = layout.items[std::size_t(*number - 1)];
        item.tooltip = *tooltip;
        item.helpAnchor = *anchor;
    }
}

std::optional<DialogLayout> LoadDialogLayout(GSResModule module, GSResID id) {
    const std::string_view layoutTokens = RSLoadResource(RS_DialogLayout, id, module);
    if (layoutTokens.empty()) return std::nullopt;
    auto layout = ParseDialogLayout(layoutTokens);
    if (layout) ApplyDialogHelp(RSLoadResource(RS_DialogHelp, id, module), *layout);
    return layout;
}

}  // namespace DG
