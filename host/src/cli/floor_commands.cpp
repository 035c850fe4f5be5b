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
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "cli/commands.hpp"
#include "cli/floor_point_work.hpp"
#include "interaction.hpp"
#include "session.hpp"

namespace planhost {

namespace {

constexpr double kInsertedElevation = 0.01;

struct FloorArgs {
    std::string command;
    std::string file;
    std::string part = "Stakemark.gsm";
    std::string measuredStyle = "Cross in Circle";
    std::string measuredStyle3D = "Cone";
};

void ImportFloor(FloorPointWork& work, const std::string& text) {
    std::vector<FloorPoint> sets[2];  // measured, design
    int current = 0;
    ForEachLine(text, [&](std::string_view line) {
        if (line.empty()) return;
        if (line.find("[Design_Points]") != std::string_view::npos) current = 1;
        if (line.find("[Measured_Points]") != std::string_view::npos) current = 0;
        std::string_view fields[4];
        if (!IsSectionHeader(line) && SplitFields(line, '\t', fields) == 4)
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

ExitStatus ExportFloor(FloorPointWork& work, const std::string& path) {
    std::vector<const ObjectElement*> sets[2];
    work.ListPoints(&sets[0], &sets[1]);
    std::string out;
    const char* headers[2] = {"[Measured_Points]\r\n", "[Design_Points]\r\n"};
    for (int set = 0; set < 2; ++set) {
        if (sets[set].empty()) continue;
        out += headers[set];
        for (const ObjectElement* element : sets[set]) AppendPointLine(out, *element);
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return ExitStatus::kRefused;
    std::fwrite(out.data(), 1, out.size(), file);
    return std::fclose(file) == 0 ? ExitStatus::kCommandRan : ExitStatus::kRefused;
}

void UpdateFloor(FloorPointWork& work, const std::string& text) {
    std::vector<const ObjectElement*> measured;
    std::vector<const ObjectElement*> design;
    work.ListPoints(&measured, &design);
    std::unordered_map<std::u16string, std::vector<API_Guid>> byNumber;
    for (const ObjectElement* element : measured) byNumber[element->id].push_back(element->guid);
    ForEachLine(text, [&](std::string_view line) {
        std::string_view fields[4];
        if (line.empty() || IsSectionHeader(line) || SplitFields(line, '\t', fields) != 4) return;
        const FloorPoint point = ParsePoint(fields);
        const auto match = byNumber.find(Utf16(fields[0]));
        if (match == byNumber.end()) {
            work.Create(point, true);
            return;
        }
        for (const API_Guid& guid : match->second) work.Move(guid, point);
    });
}

void InsertFloor(FloorPointWork& work, Interaction& interaction, const std::string& text) {
    ForEachLine(text, [&](std::string_view line) {
        std::string_view fields[4];
        if (SplitFields(line, ',', fields) == 2)
            interaction.QueueClick(ParseNumber<double>(fields[0]), ParseNumber<double>(fields[1]));
    });
    std::int32_t number = 1;
    while (const std::optional<API_Coord> click = interaction.NextClick())
        work.Create({number++, click->x, click->y, kInsertedElevation}, true);
}

CommandResult RunFloor(Session& session, const FloorArgs& args) {
    const LibraryPart* part = session.model().library().FindByFileNameUtf8(args.part);
    if (part == nullptr) {
        std::fprintf(stderr, "planhost: no library part %s is loaded\n", args.part.c_str());
        return ExitStatus::kRefused;
    }
    FloorPointWork work(session, *part, args.measuredStyle, args.measuredStyle3D);
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
    return CommandResult(ExitStatus::kCommandRan,
                         "floor " + args.command + ": the plan holds " +
                             std::to_string(session.model().Elements().size()) + " objects");
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
