#include "settings/split_text.hpp"

#include <string_view>

std::vector<GS::UniString> SplitText(const GS::UniString& text, GS::uchar_t separator) {
    const std::u16string_view chars = text.Text();
    std::vector<GS::UniString> pieces;
    std::size_t start = 0;
    auto addPiece = [&](std::size_t end) {
        pieces.push_back(GS::UniString(std::u16string(chars.substr(start, end - start))));
    };
    for (std::size_t found = chars.find(separator); found != std::u16string_view::npos;
         found = chars.find(separator, start)) {
        addPiece(found);
        start = found + 1;
    }
    if (start < chars.size()) addPiece(chars.size());
    return pieces;
}
