// list: every object of the plan as one JSON object a line, in the host's element order.
#include <cstdio>

#include "GS/UniString.hpp"
#include "cli/json_text.hpp"
#include "cli/point_command_entries.hpp"
#include "model/guid.hpp"
#include "model/model.hpp"
#include "session.hpp"

namespace planhost {

namespace {

std::string Utf8(const std::u16string& text) {
    return GS::UniString(text).ToCStr(GS::CC_UTF8);
}

void AppendParameters(std::string& out, const ParameterList& parameters) {
    out += '{';
    bool first = true;
    for (const Parameter& parameter : parameters) {
        if (!first) out += ',';
        first = false;
        AppendJsonString(out, parameter.name);
        out += ':';
        if (parameter.IsText()) {
            AppendJsonString(out, Utf8(parameter.text));
        } else {
            AppendJsonNumber(out, parameter.real);
        }
    }
    out += '}';
}

void AppendField(std::string& out, const char* name, double value) {
    out += ",\"";
    out += name;
    out += "\":";
    AppendJsonNumber(out, value);
}

// {"guid":…,"part":…,"id":…,"x":…,"y":…,"z":…,"a":…,"b":…,"params":{…}}
std::string ElementJson(const ObjectElement& element) {
    std::string out = "{\"guid\":";
    AppendJsonString(out, GuidToString(element.guid));
    out += ",\"part\":";
    AppendJsonString(out, element.part);
    out += ",\"id\":";
    if (element.hasMemo) {
        AppendJsonString(out, Utf8(element.id));
    } else {
        out += "null";
    }
    AppendField(out, "x", element.x);
    AppendField(out, "y", element.y);
    AppendField(out, "z", element.z);
    AppendField(out, "a", element.a);
    AppendField(out, "b", element.b);
    out += ",\"params\":";
    AppendParameters(out, element.Parameters());
    out += '}';
    return out;
}

}  // namespace

CommandEntry ListCommand() {
    return {
        "list",
        "Print every object of the plan as one JSON object a line, in the host's element order: "
        "guid, part, id (null without memo), x, y, z, a, b and params.",
        nullptr,
        [](Session& session) {
            std::string buffer;
            for (const ObjectElement& element : session.model().Elements()) {
                buffer += ElementJson(element);
                buffer += '\n';
                if (buffer.size() > (1 << 20)) {
                    std::fwrite(buffer.data(), 1, buffer.size(), stdout);
                    buffer.clear();
                }
            }
            std::fwrite(buffer.data(), 1, buffer.size(), stdout);
            std::fflush(stdout);
            return ExitStatus::kCommandRan;
        },
        false,
        ProjectUse::kRead,
    };
}

}  // namespace planhost
