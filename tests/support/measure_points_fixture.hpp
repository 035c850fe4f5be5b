// The measure-point commands end to end: a planhost folder with the add-on's settings file, and
// the plan as `list` shows it.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <initializer_list>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "planhost_runner.hpp"

namespace planhost_test {

// One object of the plan as `list` prints it.
struct PlacedObject {
    std::string part;
    std::string id;  // "<no memo>" for an object without memo
    double x, y, z, a, b;
    nlohmann::json params;
};

class MeasurePointsTest : public ::testing::Test {
protected:
    // A run that must end normally and give back every handle the host handed out.
    RunResult Run(const std::vector<std::string>& args) {
        RunResult run = planhost.Run(args);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_FALSE(run.LeakedHandles()) << run.err;
        return run;
    }

    // Places an object by hand; params are NAME=VALUE.
    void Place(const std::string& part, const std::string& id, double x, double y,
               const std::vector<std::string>& params = {}) {
        std::vector<std::string> args = {"place", "--part",         part, "--x", std::to_string(x),
                                         "--y",   std::to_string(y)};
        if (id == "<no memo>") {
            args.push_back("--no-memo");
        } else {
            args.insert(args.end(), {"--id", id});
        }
        for (const std::string& param : params) args.insert(args.end(), {"--param", param});
        ASSERT_EQ(planhost.Run(args).exitCode, 0);
    }

    std::vector<PlacedObject> List() {
        std::vector<PlacedObject> objects;
        for (const std::string& line : planhost.Run({"list"}).outLines) {
            const nlohmann::json object = nlohmann::json::parse(line);
            objects.push_back({object["part"], object["id"].is_null() ? "<no memo>" : object["id"],
                               object["x"], object["y"], object["z"], object["a"], object["b"],
                               object["params"]});
        }
        return objects;
    }

    static std::vector<std::string> Ids(const std::vector<PlacedObject>& objects) {
        std::vector<std::string> ids;
        for (const PlacedObject& object : objects) ids.push_back(object.id);
        return ids;
    }

    // Each object in one line, to compare whole rows: "ID x,y,z axb markerStyle/markerStyle3D".
    std::vector<std::string> Rows() {
        const auto number = [](double value) {
            char text[32];
            return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
        };
        const auto style = [](const nlohmann::json& params, const char* name) {
            return params.is_object() ? params.value(name, "") : "";
        };
        std::vector<std::string> rows;
        for (const PlacedObject& o : List())
            rows.push_back(o.id + " " + number(o.x) + "," + number(o.y) + "," + number(o.z) + " " +
                           number(o.a) + "x" + number(o.b) + " " +
                           style(o.params, "strMarkerStyle") + "/" +
                           style(o.params, "strMarkerStyle3D"));
        return rows;
    }

    // The view switches of a command that does its work on the floor plan while the view of
    // this database type is in front.
    static std::vector<std::string> FloorPlanVisit(const std::string& type) {
        return {"ACAPI_Database GDAT type=" + type + " -> 0x0", "ACAPI_Database CDAT type=1 -> 0x0",
                "ACAPI_Database CDAT type=" + type + " -> 0x0",
                "ACAPI_Automate CHWD type=" + type + " -> 0x0"};
    }

    // The trace lines that start with one of the prefixes.
    static std::vector<std::string> TraceOf(const RunResult& run,
                                            std::initializer_list<std::string_view> prefixes) {
        std::vector<std::string> lines;
        for (const std::string& line : run.traceLines)
            if (std::ranges::any_of(prefixes,
                                    [&](auto prefix) { return line.starts_with(prefix); }))
                lines.push_back(line);
        return lines;
    }

    static std::vector<std::string> ViewSwitches(const RunResult& run) {
        return TraceOf(run, {"ACAPI_Database ", "ACAPI_Automate "});
    }

    PlanhostRunner planhost;
};

}  // namespace planhost_test
