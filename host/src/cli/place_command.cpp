// place: puts an object on the plan by hand, as a user of the host would, without the add-on.
#include <charconv>
#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>

#include "GS/UniString.hpp"
#include "api/element_records.hpp"
#include "cli/point_command_entries.hpp"
#include "model/guid.hpp"
#include "model/model.hpp"
#include "session.hpp"
#include "trace.hpp"

namespace planhost {

namespace {

struct PlaceArgs {
    std::string part;
    std::optional<std::string> id;
    bool noMemo = false;
    double x = 0;
    double y = 0;
    double z = 0;
    std::optional<double> a;
    std::optional<double> b;
    std::vector<std::string> params;
};

// Sets one NAME=VALUE of the list; false (with a message) when it names no parameter or the
// value does not fit.
bool SetParameter(const std::string& assignment, ParameterList& list) {
    std::size_t equals = assignment.find('=');
    Parameter* parameter =
        equals == std::string::npos ? nullptr : FindParameter(list, assignment.substr(0, equals));
    if (parameter == nullptr) {
        std::fprintf(stderr, "planhost: --param %s names no parameter of the part\n",
                     assignment.c_str());
        return false;
    }
    std::string value = assignment.substr(equals + 1);
    if (parameter->IsText()) {
        parameter->text = GS::UniString(value, GS::CC_UTF8).Text();
        if (parameter->text.size() <= 255) return true;
        std::fprintf(stderr, "planhost: --param %s is longer than 255 characters\n",
                     parameter->name.c_str());
        return false;
    }
    double number = 0;
    auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (error != std::errc() || end != value.data() + value.size() || !std::isfinite(number)) {
        std::fprintf(stderr, "planhost: --param %s is not a number\n", assignment.c_str());
        return false;
    }
    parameter->real = number;
    return true;
}

CommandResult Place(Session& session, const PlaceArgs& args) {
    Model& model = session.model();
    const LibraryPart* part = model.library().FindByFileNameUtf8(args.part);
    if (part == nullptr) {
        std::fprintf(stderr, "planhost: no library part %s is loaded\n", args.part.c_str());
        return ExitStatus::kRefused;
    }
    ParameterList parameters = part->parameters;
    for (const std::string& assignment : args.params) {
        if (!SetParameter(assignment, parameters)) return ExitStatus::kUsageError;
    }
    if (!ModelIsVisible(session)) {
        std::fprintf(stderr, "planhost: the current view cannot take objects (%s)\n",
                     FormatErrCode(APIERR_REFUSEDCMD).c_str());
        return ExitStatus::kRefused;
    }
    ObjectElement element;
    element.libInd = part->index;
    element.a = args.a.value_or(part->a);
    element.b = args.b.value_or(part->b);
    element.x = args.x;
    element.y = args.y;
    element.z = args.z;
    element.layer = API_DefaultLayer;
    element.drawIndex = API_DrawOnTop;
    element.hasMemo = !args.noMemo;
    if (element.hasMemo) {
        element.id = GS::UniString(args.id.value_or(""), GS::CC_UTF8).Text();
        element.params = model.ShareParameters(std::move(parameters));
    }
    model.BeginUndoStep("Place object");
    GSErrCode error = model.Add(element);
    model.EndUndoStep(error == NoError);
    if (error != NoError) {
        std::fprintf(stderr, "planhost: the object was refused (%s)\n",
                     FormatErrCode(error).c_str());
        return ExitStatus::kRefused;
    }
    return CommandResult(ExitStatus::kCommandRan, GuidToString(element.guid));
}

}  // namespace

CommandEntry PlaceCommand() {
    auto args = std::make_shared<PlaceArgs>();
    return {
        "place",
        "Place an object of a loaded library part by hand (one undo step \"Place object\") and "
        "print its GUID.",
        [args](CLI::App& sub) {
            sub.add_option("--part", args->part, "File name of the library part, e.g. Tree.gsm")
                ->required();
            auto* id = sub.add_option("--id", args->id, "The element ID text");
            sub.add_flag("--no-memo", args->noMemo, "Place it without memo (no ID, no parameters)")
                ->excludes(id);
            sub.add_option("--x", args->x, "Position x, metres")->required();
            sub.add_option("--y", args->y, "Position y, metres")->required();
            sub.add_option("--z", args->z, "Elevation, metres (default 0)");
            sub.add_option("--a", args->a, "Size a, metres (default: the part's)");
            sub.add_option("--b", args->b, "Size b, metres (default: the part's)");
            sub.add_option("--param", args->params, "NAME=VALUE of a parameter (repeatable)")
                ->allow_extra_args(false);
        },
        [args](Session& session) { return Place(session, *args); },
        false,
    };
}

}  // namespace planhost
