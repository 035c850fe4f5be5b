#include "ui/dialog_drawing.hpp"

#include <algorithm>
#include <sstream>

#include "IO/FileSystem.hpp"
#include "ui/xml_text.hpp"

namespace planhost {

namespace {

constexpr int kScale = 2;
constexpr const char* kFont = "font-family=\"DejaVu Sans, Arial, sans-serif\" font-size=\"11\"";
constexpr const char* kTextColor = "#1a1a1a";
constexpr const char* kDisabledTextColor = "#9a9a9a";

std::string Escaped(const GS::UniString& text) {
    return XmlEscaped(text.ToCStr(GS::CC_UTF8));
}

std::string Base64(std::string_view bytes) {
    static constexpr char kDigits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
        UInt32 group = 0;
        for (std::size_t k = 0; k < 3; ++k) {
            group = (group << 8) | (k < n ? UInt8(bytes[i + k]) : 0);
        }
        for (std::size_t k = 0; k < 4; ++k) {
            out += k <= n ? kDigits[(group >> (18 - 6 * k)) & 0x3F] : '=';
        }
    }
    return out;
}

const char* TextColor(const DG::DialogItem& item) {
    return item.enabled ? kTextColor : kDisabledTextColor;
}

// A line of text, vertically centred in a box of the given height.
void Text(std::ostream& out, int x, int y, int height, const GS::UniString& text, const char* color,
          const char* anchor = "start") {
    out << "<text x=\"" << x << "\" y=\"" << y + std::min(height, 20) / 2 + 4 << "\" " << kFont
        << " fill=\"" << color << "\" text-anchor=\"" << anchor << "\">" << Escaped(text)
        << "</text>\n";
}

void Box(std::ostream& out, const DG::Rect& r, const char* fill, const char* stroke,
         int radius = 0) {
    out << "<rect x=\"" << r.x + 0.5 << "\" y=\"" << r.y + 0.5 << "\" width=\"" << r.width - 1
        << "\" height=\"" << r.height - 1 << "\" rx=\"" << radius << "\" fill=\"" << fill
        << "\" stroke=\"" << stroke << "\"/>\n";
}

void DrawButton(std::ostream& out, const DG::DialogItem& item, bool isDefault) {
    const DG::Rect& r = item.layout.rect;
    const char* stroke = !item.enabled ? "#c4c4c4" : isDefault ? "#2f6fb3" : "#8a8a8a";
    Box(out, r, item.enabled ? "#fbfbfb" : "#f2f2f2", stroke, 4);
    if (isDefault && item.enabled) {
        Box(out, {short(r.x + 1), short(r.y + 1), short(r.width - 2), short(r.height - 2)}, "none",
            "#2f6fb3", 3);
    }
    Text(out, r.x + r.width / 2, r.y, r.height, item.text, TextColor(item), "middle");
}

void DrawGroup(std::ostream& out, const DG::DialogItem& item) {
    const DG::Rect& r = item.layout.rect;
    Box(out, r, "none", "#b4b4b4", 3);
    if (!item.text.IsEmpty()) {
        out << "<text x=\"" << r.x + 8 << "\" y=\"" << r.y + 4 << "\" " << kFont << " fill=\""
            << TextColor(item) << "\" stroke=\"#ececec\" stroke-width=\"4\" paint-order=\"stroke\">"
            << Escaped(item.text) << "</text>\n";
    }
}

void DrawEdit(std::ostream& out, const DG::DialogItem& item) {
    const DG::Rect& r = item.layout.rect;
    Box(out, r, item.enabled ? "#ffffff" : "#f0f0f0", "#8a8a8a");
    Text(out, r.x + 4, r.y, r.height, item.text, TextColor(item));
}

void DrawPopUp(std::ostream& out, const DG::DialogItem& item) {
    const DG::Rect& r = item.layout.rect;
    Box(out, r, item.enabled ? "#fbfbfb" : "#f0f0f0", "#8a8a8a", 3);
    const GS::UniString& choice = item.layout.entries[std::size_t(item.selected - 1)];
    Text(out, r.x + 6, r.y, r.height, choice, TextColor(item));
    const int arrowX = r.x + r.width - 16;
    const int midY = r.y + r.height / 2;
    out << "<line x1=\"" << arrowX - 4 << "\" y1=\"" << r.y + 3 << "\" x2=\"" << arrowX - 4
        << "\" y2=\"" << r.y + r.height - 3 << "\" stroke=\"#c4c4c4\"/>\n";
    out << "<path d=\"M" << arrowX << ' ' << midY - 2 << " h9 l-4.5 5 z\" fill=\""
        << TextColor(item) << "\"/>\n";
}

void DrawPicture(std::ostream& out, const DG::DialogItem& item, GSResModule iconModule) {
    const DG::Rect& r = item.layout.rect;
    const std::string_view png = RSLoadResource(RS_Icon, item.layout.iconId, iconModule);
    if (png.empty()) {
        Box(out, r, "#dddddd", "#999999");
        return;
    }
    out << "<image x=\"" << r.x << "\" y=\"" << r.y << "\" width=\"" << r.width << "\" height=\""
        << r.height << "\" preserveAspectRatio=\"xMidYMid meet\" href=\"data:image/png;base64,"
        << Base64(png) << "\"/>\n";
}

void DrawItem(std::ostream& out, short number, const DG::DialogItem& item, GSResModule iconModule) {
    switch (item.layout.kind) {
        case DG::ItemKind::Button:
            DrawButton(out, item, number == DG_OK);
            break;
        case DG::ItemKind::GroupBox:
            DrawGroup(out, item);
            break;
        case DG::ItemKind::StaticText:
            Text(out, item.layout.rect.x, item.layout.rect.y, item.layout.rect.height, item.text,
                 TextColor(item));
            break;
        case DG::ItemKind::TextEdit:
            DrawEdit(out, item);
            break;
        case DG::ItemKind::PopUp:
            DrawPopUp(out, item);
            break;
        case DG::ItemKind::Picture:
            DrawPicture(out, item, iconModule);
            break;
    }
}

void DrawFrame(std::ostream& out, const DG::ModalDialogSession& session, int width, int height) {
    out << "<rect x=\"0.5\" y=\"0.5\" width=\"" << width - 1 << "\" height=\"" << height - 1
        << "\" fill=\"#ececec\" stroke=\"#4a4a4a\"/>\n";
    out << "<rect x=\"1\" y=\"1\" width=\"" << width - 2 << "\" height=\""
        << DG_FrameTitleHeight - 1 << "\" fill=\"#34587f\"/>\n";
    out << "<text x=\"10\" y=\"" << DG_FrameTitleHeight / 2 + 5 << "\" " << kFont
        << " font-weight=\"bold\" fill=\"#ffffff\">" << Escaped(session.title()) << "</text>\n";
    out << "<path d=\"M" << width - 17 << " 8 l8 8 m0 -8 l-8 8\" stroke=\"#ffffff\" "
        << "stroke-width=\"1.5\"/>\n";
}

}  // namespace

bool IsItemVisible(const DG::ModalDialogSession& session, short item) {
    const DG::DialogItem* shown = session.item(item);
    if (shown == nullptr) return false;
    const DG::Rect client = session.frame();
    const DG::Rect& r = shown->layout.rect;
    return r.width > 0 && r.height > 0 && r.x < client.width && r.y < client.height &&
           r.x + r.width > 0 && r.y + r.height > 0;
}

std::string DrawDialogSvg(const DG::ModalDialogSession& session) {
    const DG::Rect client = session.frame();
    const int width = client.width + 2 * DG_FrameBorder;
    const int height = client.height + DG_FrameTitleHeight + DG_FrameBorder;
    std::ostringstream out;
    out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << width * kScale << "\" height=\""
        << height * kScale << "\" viewBox=\"0 0 " << width << ' ' << height << "\">\n";
    DrawFrame(out, session, width, height);
    out << "<clipPath id=\"client\"><rect width=\"" << client.width << "\" height=\""
        << client.height << "\"/></clipPath>\n";
    out << "<g transform=\"translate(" << DG_FrameBorder << ' ' << DG_FrameTitleHeight
        << ")\" clip-path=\"url(#client)\">\n";
    for (short number = 1; number <= session.itemCount(); ++number) {
        if (IsItemVisible(session, number)) {
            DrawItem(out, number, *session.item(number), session.iconModule());
        }
    }
    out << "</g>\n</svg>\n";
    return out.str();
}

bool SaveDialogSvg(const DG::ModalDialogSession& session, const std::string& path) {
    const std::string svg = DrawDialogSvg(session);
    IO::SafeFile file(IO::Location(GS::UniString(path, GS::CC_UTF8)));
    return file.Open() == NoError && file.WriteBin(svg.data(), GS::USize(svg.size())) == NoError &&
           file.Commit() == NoError;
}

}  // namespace planhost
