// render: the floor plan as an SVG picture (see plan_svg.hpp), written whole or not at all.
#include <cstdio>
#include <memory>

#include "GS/UniString.hpp"
#include "IO/FileSystem.hpp"
#include "cli/plan_svg.hpp"
#include "cli/point_command_entries.hpp"
#include "model/model.hpp"
#include "model/project.hpp"
#include "session.hpp"

namespace planhost {

namespace {

bool WriteWhole(const std::string& path, const std::string& content) {
    IO::SafeFile file(IO::Location(GS::UniString(path, GS::CC_UTF8)));
    return file.Open() == NoError &&
           file.WriteBin(content.data(), GS::USize(content.size())) == NoError &&
           file.Commit() == NoError;
}

}  // namespace

CommandEntry RenderCommand() {
    auto path = std::make_shared<std::string>();
    return {
        "render",
        "Draw the floor plan as an SVG picture: each object with its symbol and number, measured "
        "and design points told apart, a grid in metres, a scale bar and a legend.",
        [path](CLI::App& sub) { sub.add_option("FILE", *path, "The SVG file")->required(); },
        [path](Session& session) {
            Model& model = session.model();
            std::string svg = RenderPlanSvg(model, "Floor plan " + model.project().path());
            if (!WriteWhole(*path, svg)) {
                std::fprintf(stderr, "planhost: cannot write %s\n", path->c_str());
                return ExitStatus::kRefused;
            }
            std::printf("render: %zu objects drawn to %s\n", model.Elements().size(),
                        path->c_str());
            return ExitStatus::kCommandRan;
        },
        false,
        ProjectUse::kRead,
    };
}

}  // namespace planhost
