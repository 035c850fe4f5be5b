#include "cli/plan_svg.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <vector>

#include "GS/UniString.hpp"
#include "model/model.hpp"
#include "ui/xml_text.hpp"

namespace planhost {

namespace {

constexpr double kMargin = 70.0;        // px around the drawing, room for grid labels
constexpr double kLegendHeight = 40.0;  // px below the drawing: scale bar and legend
constexpr double kMinSide = 700.0;      // px of the drawing's longer side
constexpr double kMaxSide = 9000.0;
constexpr double kRoomPerPoint = 56.0;  // px of side per sqrt(point): room for a number

struct SymbolStyle {
    const char* label;
    const char* colour;
};

// Symbols told apart in the legend; measured points are drawn as cross in circle.
const std::map<std::string, SymbolStyle>& Styles() {
    static const std::map<std::string, SymbolStyle> kStyles = {
        {"cross-circle", {"measured point (marker style 1)", "#c62828"}},
        {"triangle", {"design point", "#1565c0"}},
        {"cone", {"cone marker", "#ef6c00"}},
        {"tree", {"tree", "#2e7d32"}},
        {"circle", {"other object", "#616161"}},
    };
    return kStyles;
}

const SymbolStyle& StyleOf(const std::string& symbol) {
    auto it = Styles().find(symbol);
    return it == Styles().end() ? Styles().at("circle") : it->second;
}

std::string Number(double value, int decimals = 2) {
    char buffer[64];
    auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    std::string text(buffer, error == std::errc() ? end : buffer);
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0') text.pop_back();
        if (text.back() == '.') text.pop_back();
    }
    return text == "-0" ? "0" : text;
}

// 1, 2 or 5 times a power of ten, at least value.
double NiceStep(double value) {
    double power = std::pow(10.0, std::floor(std::log10(value)));
    for (double factor : {1.0, 2.0, 5.0, 10.0}) {
        if (factor * power >= value) return factor * power;
    }
    return 10.0 * power;
}

struct Frame {
    double minX, minY, maxX, maxY;  // metres
    double scale;                   // px per metre
    double width, height;           // px of the drawing

    double X(double x) const { return kMargin + (x - minX) * scale; }
    double Y(double y) const { return kMargin + (maxY - y) * scale; }
};

Frame FrameFor(const std::vector<ObjectElement>& elements) {
    Frame frame{-5, -5, 5, 5, 1, 0, 0};
    if (!elements.empty()) {
        frame.minX = frame.maxX = elements.front().x;
        frame.minY = frame.maxY = elements.front().y;
        for (const ObjectElement& element : elements) {
            frame.minX = std::min(frame.minX, element.x);
            frame.maxX = std::max(frame.maxX, element.x);
            frame.minY = std::min(frame.minY, element.y);
            frame.maxY = std::max(frame.maxY, element.y);
        }
    }
    double span = std::max({frame.maxX - frame.minX, frame.maxY - frame.minY, 1.0});
    double pad = span * 0.06;
    frame.minX -= pad;
    frame.minY -= pad;
    frame.maxX += pad;
    frame.maxY += pad;
    double side =
        std::clamp(std::sqrt(double(elements.size())) * kRoomPerPoint, kMinSide, kMaxSide);
    frame.scale = side / std::max(frame.maxX - frame.minX, frame.maxY - frame.minY);
    frame.width = (frame.maxX - frame.minX) * frame.scale;
    frame.height = (frame.maxY - frame.minY) * frame.scale;
    return frame;
}

void DrawGrid(std::string& svg, const Frame& frame) {
    double step = NiceStep(80.0 / frame.scale);  // at least 80 px between lines
    svg += "<g stroke=\"#e0e0e0\" stroke-width=\"1\">\n";
    std::string labels;
    for (double x = std::ceil(frame.minX / step) * step; x <= frame.maxX; x += step) {
        std::string px = Number(frame.X(x));
        svg += "<line x1=\"" + px + "\" y1=\"" + Number(kMargin) + "\" x2=\"" + px + "\" y2=\"" +
               Number(kMargin + frame.height) + "\"/>\n";
        labels += "<text x=\"" + px + "\" y=\"" + Number(kMargin + frame.height + 16) +
                  "\" text-anchor=\"middle\">" + Number(x, 3) + "</text>\n";
    }
    for (double y = std::ceil(frame.minY / step) * step; y <= frame.maxY; y += step) {
        std::string py = Number(frame.Y(y));
        svg += "<line x1=\"" + Number(kMargin) + "\" y1=\"" + py + "\" x2=\"" +
               Number(kMargin + frame.width) + "\" y2=\"" + py + "\"/>\n";
        labels += "<text x=\"" + Number(kMargin - 6) + "\" y=\"" + py +
                  "\" text-anchor=\"end\" dominant-baseline=\"middle\">" + Number(y, 3) +
                  "</text>\n";
    }
    svg += "</g>\n<g font-size=\"11\" fill=\"#757575\">\n" + labels + "</g>\n";
    svg += "<rect x=\"" + Number(kMargin) + "\" y=\"" + Number(kMargin) + "\" width=\"" +
           Number(frame.width) + "\" height=\"" + Number(frame.height) +
           "\" fill=\"none\" stroke=\"#9e9e9e\"/>\n";
}

// One symbol of radius r (px) at px, py.
std::string Symbol(const std::string& symbol, double px, double py, double r) {
    std::string x = Number(px), y = Number(py), rs = Number(r);
    const std::string colour = StyleOf(symbol).colour;
    std::string stroke = "stroke=\"" + colour + "\" stroke-width=\"" +
                         Number(std::max(1.0, r / 5)) + "\" fill=\"none\"";
    if (symbol == "cross-circle") {
        return "<circle cx=\"" + x + "\" cy=\"" + y + "\" r=\"" + rs + "\" " + stroke + "/>" +
               "<path d=\"M" + Number(px - r) + " " + y + "H" + Number(px + r) + "M" + x + " " +
               Number(py - r) + "V" + Number(py + r) + "\" " + stroke + "/>";
    }
    if (symbol == "triangle") {
        return "<path d=\"M" + x + " " + Number(py - r) + "L" + Number(px + r * 0.87) + " " +
               Number(py + r / 2) + "L" + Number(px - r * 0.87) + " " + Number(py + r / 2) +
               "Z\" " + stroke + "/>";
    }
    if (symbol == "cone") {
        return "<circle cx=\"" + x + "\" cy=\"" + y + "\" r=\"" + rs + "\" " + stroke + "/>" +
               "<circle cx=\"" + x + "\" cy=\"" + y + "\" r=\"" + Number(r / 3) + "\" fill=\"" +
               colour + "\"/>";
    }
    if (symbol == "tree") {
        return "<circle cx=\"" + x + "\" cy=\"" + y + "\" r=\"" + rs + "\" fill=\"" + colour +
               "\" fill-opacity=\"0.25\" " + stroke + "/>";
    }
    return "<circle cx=\"" + x + "\" cy=\"" + y + "\" r=\"" + rs + "\" " + stroke + "/>";
}

std::string SymbolOf(const Model& model, const ObjectElement& element) {
    const LibraryPart* part = model.library().Find(element.libInd);
    return part == nullptr ? "circle" : part->SymbolFor(element.Parameters());
}

void DrawLegend(std::string& svg, const Frame& frame, const std::map<std::string, int>& counts) {
    double top = kMargin + frame.height + 34;
    // Scale bar: about a fifth of the drawing.
    double metres = NiceStep(frame.width / 5 / frame.scale);
    double length = metres * frame.scale;
    std::string y = Number(top + 8);
    svg += "<g font-size=\"12\" fill=\"#212121\">\n";
    svg += "<path d=\"M" + Number(kMargin) + " " + y + "h" + Number(length) + "M" +
           Number(kMargin) + " " + Number(top + 3) + "v10M" + Number(kMargin + length) + " " +
           Number(top + 3) + "v10\" stroke=\"#212121\" stroke-width=\"2\" fill=\"none\"/>\n";
    svg += "<text x=\"" + Number(kMargin + length / 2) + "\" y=\"" + Number(top + 26) +
           "\" text-anchor=\"middle\">" + Number(metres, 3) + " m</text>\n";
    double x = kMargin + std::max(length, 60.0) + 40;
    for (const auto& [symbol, count] : counts) {
        svg += Symbol(symbol, x, top + 8, 7) + "\n";
        std::string text = std::string(StyleOf(symbol).label) + ": " + std::to_string(count);
        svg += "<text x=\"" + Number(x + 12) + "\" y=\"" + Number(top + 12) + "\">" +
               XmlEscaped(text) + "</text>\n";
        x += 24 + 7.0 * double(text.size());
    }
    svg += "</g>\n";
}

}  // namespace

std::string RenderPlanSvg(const Model& model, const std::string& title) {
    const std::vector<ObjectElement>& elements = model.Elements();
    Frame frame = FrameFor(elements);
    double width = frame.width + 2 * kMargin;
    double height = frame.height + 2 * kMargin + kLegendHeight;
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Number(width, 0) +
           "\" height=\"" + Number(height, 0) + "\" viewBox=\"0 0 " + Number(width, 0) + " " +
           Number(height, 0) + "\" font-family=\"DejaVu Sans, Arial, sans-serif\">\n";
    svg += "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
    svg += "<text x=\"" + Number(kMargin) + "\" y=\"34\" font-size=\"18\" fill=\"#212121\">" +
           XmlEscaped(title) + " — " + std::to_string(elements.size()) + " objects</text>\n";
    DrawGrid(svg, frame);

    // Drawing order: lower drawing levels first, then the host's order; one group per layer.
    std::vector<const ObjectElement*> order;
    order.reserve(elements.size());
    for (const ObjectElement& element : elements) order.push_back(&element);
    std::stable_sort(order.begin(), order.end(),
                     [](const auto* a, const auto* b) { return a->drawIndex < b->drawIndex; });
    std::map<std::string, int> counts;
    std::map<Int16, std::string> layers;
    for (const ObjectElement* element : order) {
        std::string symbol = SymbolOf(model, *element);
        ++counts[symbol];
        double r = std::clamp(std::max(element->a, element->b) * frame.scale / 2, 3.0, 12.0);
        double px = frame.X(element->x), py = frame.Y(element->y);
        std::string& layer = layers[element->layer];
        layer += Symbol(symbol, px, py, r);
        if (element->hasMemo && !element->id.empty()) {
            // Measured points are numbered above, others below: a point measured on top of its
            // design point keeps both numbers readable.
            double fontSize = std::clamp(r * 1.4, 8.0, 13.0);
            double labelY = symbol == "cross-circle" ? py - r : py + r + fontSize * 0.8;
            layer += "<text x=\"" + Number(px + r + 2) + "\" y=\"" + Number(labelY) +
                     "\" font-size=\"" + Number(fontSize, 1) +
                     "\" fill=\"#212121\" stroke=\"#ffffff\" stroke-width=\"2.5\" "
                     "paint-order=\"stroke\">" +
                     XmlEscaped(GS::UniString(element->id).ToCStr(GS::CC_UTF8)) + "</text>";
        }
        layer += '\n';
    }
    for (const auto& [layer, content] : layers) {
        svg += "<g id=\"layer-" + std::to_string(layer) + "\">\n" + content + "</g>\n";
    }
    DrawLegend(svg, frame, counts);
    svg += "</svg>\n";
    return svg;
}

}  // namespace planhost
