#include "settings/split_text.hpp"

std::vector<GS::UniString> SplitText(const GS::UniString& text, GS::uchar_t separator) {
    const std::u16string& chars = text.Text();
    std::vector<GS::UniString> pieces;
    std::size_t start = 0;
    for (std::size_t found = chars.find(separator); found != std::u16string::npos;
         found = chars.find(separator, start)) {
        pieces.emplace_back(chars.substr(start, found - start));
        start = found + 1;
    }
    if (start < chars.size()) pieces.emplace_back(chars.substr(start));
    return pieces;
}
