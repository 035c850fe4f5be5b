// floor: the host's own share of a point command, done without the add-on, as the yardstick of
// the bulk benchmark. Each does the model work that the add-on's command asks of the host, in
// one run, committed the same way:
//   floor import FILE   every point of the file created as its own undo step "Create text",
//                       measured ones (first) given their two marker styles outside it
//   floor export FILE   every object listed and read (part, marker style, ID), the measure
//                       points written to FILE
//   floor update FILE   the measured points listed and read; each data line moves every point
//                       of its number, or creates a new measured point
//   floor insert FILE   one click per X,Y line of FILE taken from the point input, each made a
//                       measured point, numbered from 1
// Reading and writing the points file is done plainly (the input has to be read to do the
// work at all); the add-on's own checks and reports are not.
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "IO/Utf8Path.hpp"
#include "cli/commands.hpp"
#include "interaction.hpp"
#include "model/model.hpp"
#include "session.hpp"

namespace planhost {

namespace {

constexpr int Refused = 3;
constexpr double SymbolSize = 1.0;
constexpr double InsertedElevation = 0.01;

struct FloorArgs {
    std::string command;
    std::string file;
    std::string part = "Stakemark.gsm";
    std::string measuredStyle = "Cross in Circle";
    std::string measuredStyle3D = "Cone";
};

struct FloorPoint {
    std::int32_t number = 0;
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

std::string ReadWholeFile(const std::string& path) {
    std::ifstream file(IO::PathFromUtf8(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Calls take(line) for each line of text, without its CR LF or LF.
template <typename Take>
void ForEachLine(std::string_view text, Take take) {
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        take(line);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
}

// Cuts the line at each separator into up to four fields.
std::size_t SplitFields(std::string_view line, char separator, std::string_view (&fields)[4]) {
    std::size_t count = 0;
    while (count < 4 && !line.empty()) {
        std::size_t end = line.find(separator);
        fields[count++] = line.substr(0, end);
        line.remove_prefix(end == std::string_view::npos ? line.size() : end + 1);
    }
    return count;
}

template <typename Number>
Number Parse(std::string_view text) {
    Number value{};
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

FloorPoint ParsePoint(const std::string_view (&fields)[4]) {
    return {Parse<std::int32_t>(fields[0]), Parse<double>(fields[1]), Parse<double>(fields[2]),
            Parse<double>(fields[3])};
}

bool IsHeader(std::string_view line) {
    return line.find("[Measured_Points]") != std::string_view::npos ||
           line.find("[Design_Points]") != std::string_view::npos;
}

std::u16string NumberText(std::int32_t number) {
    char digits[16];
    const char* end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    return std::u16string(static_cast<const char*>(digits), end);
}

std::u16string Utf16(std::string_view ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

// The model work of the host for the measure points of one part.
class PointWork {
public:
    PointWork(Session& session, const LibraryPart& part, const FloorArgs& args)
        : session_(session),
          model_(session.model()),
          part_(part),
          measuredStyle_(Utf16(args.measuredStyle)),
          measuredStyle3D_(Utf16(args.measuredStyle3D)) {}

    // One point as its own undo step; a measured one then gets its two marker styles, each
    // a change of its own outside the step.
    void Create(const FloorPoint& point, bool measured) {
        ObjectElement element;
        element.libInd = part_.index;
        element.a = SymbolSize;
        element.b = SymbolSize;
        element.x = point.x;
        element.y = point.y;
        element.z = point.z;
        element.layer = API_DefaultLayer;
        element.drawIndex = API_DrawOnTop;
        element.hasMemo = true;
        element.id = NumberText(point.number);
        element.params = model_.ShareParameters(part_.parameters);
        model_.BeginUndoStep("Create text");
        const GSErrCode error = model_.Add(element);
        model_.EndUndoStep(error == NoError);
        if (error != NoError || !measured) return;
        SetText(element.guid, "strMarkerStyle", measuredStyle_);
        SetText(element.guid, "strMarkerStyle3D", measuredStyle3D_);
    }

    // Every object of the part, read as the commands read it: part, marker style and ID.
    void ListPoints(std::vector<const ObjectElement*>* measured,
                    std::vector<const ObjectElement*>* design) const {
        std::vector<API_Guid> guids;
        guids.reserve(model_.Elements().size());
        for (const ObjectElement& element : model_.Elements()) guids.push_back(element.guid);
        for (const API_Guid& guid : guids) {
            const ObjectElement* element = model_.Find(guid);
            if (element == nullptr || element->libInd != part_.index) continue;
            const Parameter* style = FindParameter(element->Parameters(), "strMarkerStyle");
            const bool isMeasured = style != nullptr && style->text == measuredStyle_;
            (isMeasured ? measured : design)->push_back(element);
        }
    }

    void Move(const API_Guid& guid, const FloorPoint& point) {
        ObjectElement changed = *model_.Find(guid);
        changed.x = point.x;
        changed.y = point.y;
        changed.z = point.z;
        changed.a = SymbolSize;
        changed.b = SymbolSize;
        model_.Replace(changed);
    }

    void ReportProgress(Int32 progress) {
        session_.interaction().ReportProgress(progress);
        session_.interaction().IsCancelRequested();
    }

private:
    void SetText(const API_Guid& guid, std::string_view name, const std::u16string& text) {
        ObjectElement changed = *model_.Find(guid);
        ParameterList list = changed.Parameters();
        if (Parameter* parameter = FindParameter(list, name)) parameter->text = text;
        changed.params = model_.ShareParameters(std::move(list));
        model_.Replace(changed);
    }

    Session& session_;
    Model& model_;
    const LibraryPart& part_;
    std::u16string measuredStyle_;
    std::u16string measuredStyle3D_;
};

void ImportFloor(PointWork& work, const std::string& text) {
    std::vector<FloorPoint> sets[2];  // measured, design
    int current = 0;
    ForEachLine(text, [&](std::string_view line) {
        if (line.empty()) return;
        if (line.find("[Design_Points]") != std::string_view::npos) current = 1;
        if (line.find("[Measured_Points]") != std::string_view::npos) current = 0;
        std::string_view fields[4];
        if (!IsHeader(line) && SplitFields(line, '\t', fields) == 4)
            sets[current].push_back(ParsePoint(fields));
    });
    for (int set = 0; set < 2; ++set) {
        Int32 progress = 1;
        for (const FloorPoint& point : sets[set]) {
            work.Create(point, set == 0);
            work.ReportProgress(progress++);
        }
    }
}

// A coordinate as the add-on's points file has it: fixed to the micrometre, no trailing zeros.
void AppendCoordinate(std::string& out, double value) {
    char text[400];
    char* end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6).ptr;
    if (std::find(text, end, '.') != end) {
        while (end[-1] == '0') --end;
        if (end[-1] == '.') --end;
    }
    const std::string_view written(text, std::size_t(end - text));
    out += written == "-0" ? "0" : written;
}

void AppendPointLine(std::string& out, const ObjectElement& element) {
    const std::string id(element.id.begin(), element.id.end());
    char number[16];
    out.append(number, std::to_chars(number, number + sizeof number, Parse<std::int32_t>(id)).ptr);
    for (double value : {element.x, element.y, element.z}) {
        out += '\t';
        AppendCoordinate(out, value);
    }
    out += "\t\r\n";
}

int ExportFloor(PointWork& work, const std::string& path) {
    std::vector<const ObjectElement*> sets[2];
    work.ListPoints(&sets[0], &sets[1]);
    std::string out;
    const char* headers[2] = {"[Measured_Points]\r\n", "[Design_Points]\r\n"};
    for (int set = 0; set < 2; ++set) {
        if (sets[set].empty()) continue;
        out += headers[set];
        for (const ObjectElement* element : sets[set]) AppendPointLine(out, *element);
    }
    std::ofstream file(IO::PathFromUtf8(path), std::ios::binary | std::ios::trunc);
    file.write(out.data(), std::streamsize(out.size()));
    file.close();
    return file ? 0 : Refused;
}

void UpdateFloor(PointWork& work, const std::string& text) {
    std::vector<const ObjectElement*> measured;
    std::vector<const ObjectElement*> design;
    work.ListPoints(&measured, &design);
    std::unordered_map<std::u16string, std::vector<API_Guid>> byNumber;
    for (const ObjectElement* element : measured) byNumber[element->id].push_back(element->guid);
    ForEachLine(text, [&](std::string_view line) {
        std::string_view fields[4];
        if (line.empty() || IsHeader(line) || SplitFields(line, '\t', fields) != 4) return;
        const FloorPoint point = ParsePoint(fields);
        const auto match = byNumber.find(Utf16(fields[0]));
        if (match == byNumber.end()) {
            work.Create(point, true);
            return;
        }
        for (const API_Guid& guid : match->second) work.Move(guid, point);
    });
}

void InsertFloor(PointWork& work, Interaction& interaction, const std::string& text) {
    ForEachLine(text, [&](std::string_view line) {
        std::string_view fields[4];
        if (SplitFields(line, ',', fields) == 2)
            interaction.QueueClick(Parse<double>(fields[0]), Parse<double>(fields[1]));
    });
    std::int32_t number = 1;
    while (const std::optional<API_Coord> click = interaction.NextClick())
        work.Create({number++, click->x, click->y, InsertedElevation}, true);
}

int RunFloor(Session& session, const FloorArgs& args) {
    const LibraryPart* part = session.model().library().FindByFileNameUtf8(args.part);
    if (part == nullptr) {
        std::fprintf(stderr, "planhost: no library part %s is loaded\n", args.part.c_str());
        return Refused;
    }
    PointWork work(session, *part, args);
    if (args.command == "export") return ExportFloor(work, args.file);
    const std::string text = ReadWholeFile(args.file);
    if (args.command == "import") {
        session.model().SetCommandTitle("Import points");
        ImportFloor(work, text);
    } else if (args.command == "update") {
        session.model().SetCommandTitle("Update points");
        UpdateFloor(work, text);
    } else {
        session.model().SetCommandTitle("Insert points");
        InsertFloor(work, session.interaction(), text);
    }
    std::printf("floor %s: the plan holds %zu objects\n", args.command.c_str(),
                session.model().Elements().size());
    return 0;
}

}  // namespace

void AddFloorCommands(std::vector<CommandEntry>& commands) {
    auto args = std::make_shared<FloorArgs>();
    commands.push_back({
        "floor",
        "The host's share of a point command without the add-on (the bulk benchmark's "
        "yardstick): import, export or update with a points FILE, insert with a clicks FILE.",
        [args](CLI::App& sub) {
            sub.add_option("COMMAND", args->command, "import, export, update or insert")
                ->required()
                ->check(CLI::IsMember({"import", "export", "update", "insert"}));
            sub.add_option("FILE", args->file, "The points file, or the X,Y clicks file")
                ->required();
            sub.add_option("--part", args->part, "The measure-point part")->capture_default_str();
            sub.add_option("--measured-style", args->measuredStyle,
                           "strMarkerStyle of a measured point")
                ->capture_default_str();
            sub.add_option("--measured-style-3d", args->measuredStyle3D,
                           "strMarkerStyle3D of a measured point")
                ->capture_default_str();
        },
        [args](Session& session) { return RunFloor(session, *args); },
        false,
    });
}

}  // namespace planhost
