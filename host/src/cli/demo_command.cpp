// demo: the main job of the system, start to end, in a folder of its own: fresh project and
// settings, the Settings values, three inserted points, an export, an import of a shipped
// sample, an update from a shipped as-built file, a picture of the plan, and the stakeout report
// of the points after the update. Each step is a run of its own (planhost is this same program,
// stakewise-report lies next to it), as a user would run them one after the other.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "cli/point_command_entries.hpp"
#include "model/library.hpp"

extern char** environ;

namespace planhost {

namespace {

namespace fs = std::filesystem;

constexpr int StepFailed = 3;

struct DemoPaths {
    fs::path folder;
    fs::path config;
    fs::path settingsFile;
    fs::path project;
    fs::path exported;
    fs::path staked;  // the export after the update: design and staked points
    fs::path picture;
    fs::path report;
    fs::path samples;
    fs::path reportTool;
};

DemoPaths PathsFor(const std::string& folder) {
    DemoPaths paths;
    paths.folder = fs::absolute(folder);
    paths.config = paths.folder / "config";
    paths.settingsFile = paths.config / "Orvane" / "Stakewise" / "Stakewise.ini";
    paths.project = paths.folder / "plan.db";
    paths.exported = paths.folder / "exported-points.txt";
    paths.staked = paths.folder / "staked-points.txt";
    paths.picture = paths.folder / "plan.svg";
    paths.report = paths.folder / "report.html";
    const fs::path programs = fs::path(DefaultLibraryFolder()).parent_path();
    paths.samples = programs / "samples";
    paths.reportTool = programs / "stakewise-report";
    return paths;
}

// The environment of the children: this one, with the settings folder of the demo.
std::vector<std::string> ChildEnvironment(const DemoPaths& paths) {
    std::vector<std::string> variables;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        if (std::strncmp(*variable, "XDG_CONFIG_HOME=", 16) != 0) variables.push_back(*variable);
    }
    variables.push_back("XDG_CONFIG_HOME=" + paths.config.string());
    return variables;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

// Runs a program with the demo's settings folder; its exit status, or -1.
int RunProgram(const DemoPaths& paths, const char* program, std::vector<std::string> arguments) {
    std::vector<std::string> environment = ChildEnvironment(paths);
    std::vector<char*> argv = Pointers(arguments);
    std::vector<char*> envp = Pointers(environment);
    std::fflush(stdout);
    std::fflush(stderr);
    pid_t child = 0;
    if (posix_spawn(&child, program, nullptr, nullptr, argv.data(), envp.data()) != 0) return -1;
    int status = 0;
    if (waitpid(child, &status, 0) != child) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Runs planhost with the demo's project and settings.
int RunPlanhost(const DemoPaths& paths, std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"planhost", "--project", paths.project.string()});
    return RunProgram(paths, "/proc/self/exe", std::move(arguments));
}

// The stakeout report of the export after the update, as a page; some points are outside
// their tolerance on purpose (status 1), so only a report that could not be made fails.
bool RunStakeoutReport(const DemoPaths& paths) {
    const int status =
        RunProgram(paths, paths.reportTool.c_str(),
                   {"stakewise-report", "--html", paths.report.string(), paths.staked.string()});
    if (status == 0 || status == 1) return true;
    std::fprintf(stderr, "planhost: stakewise-report ended with status %d\n", status);
    return false;
}

void Step(int number, const std::string& what) {
    std::printf("\n== %d. %s\n", number, what.c_str());
    std::fflush(stdout);
}

bool StartFresh(const DemoPaths& paths) {
    std::error_code error;
    fs::create_directories(paths.settingsFile.parent_path(), error);
    for (const char* suffix : {"", "-journal", "-wal", "-shm"}) {
        fs::remove(paths.project.string() + suffix, error);
    }
    fs::remove(paths.settingsFile, error);
    fs::remove(fs::path(paths.settingsFile).replace_extension("dat"), error);
    for (const fs::path& made : {paths.exported, paths.staked, paths.report})
        fs::remove(made, error);
    return fs::is_directory(paths.settingsFile.parent_path());
}

// The Settings dialog's values; written by hand when the dialog cannot be run.
void ApplySettings(const DemoPaths& paths) {
    int status = RunPlanhost(
        paths, {"settings", "--symbol-size", "1", "--start-number", "1", "--library", "2"});
    if (status == 0 && fs::exists(paths.settingsFile)) {
        std::printf("demo: the Settings dialog saved %s\n", paths.settingsFile.string().c_str());
        return;
    }
    std::ofstream file(paths.settingsFile, std::ios::binary);
    file << "Username=\r\nMinimized=0\r\nProjectUnits=\r\nSymbolSize=1\r\nStartNumber=1\r\n"
            "Library=2\r\n";
    std::printf("demo: the Settings dialog did not save; wrote %s directly\n",
                paths.settingsFile.string().c_str());
}

// A small text file as it stands, TABs shown as blanks.
void ShowFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        for (char& c : line) c = c == '\t' ? ' ' : c;
        std::printf("  | %s\n", line.c_str());
    }
}

int RunDemo(const std::string& folder) {
    DemoPaths paths = PathsFor(folder);
    fs::path sample = paths.samples / "site-points.txt";
    fs::path asBuilt = paths.samples / "as-built.txt";
    if (!fs::exists(sample) || !fs::exists(asBuilt)) {
        std::fprintf(stderr, "planhost: the shipped samples are missing in %s\n",
                     paths.samples.string().c_str());
        return StepFailed;
    }
    if (!StartFresh(paths)) {
        std::fprintf(stderr, "planhost: cannot make the folder %s\n",
                     paths.folder.string().c_str());
        return StepFailed;
    }
    std::printf("demo: a fresh project %s and settings in %s\n", paths.project.string().c_str(),
                paths.config.string().c_str());

    Step(1, "Settings: symbol size 1, start number 1, library 2 (Stakemark.gsm)");
    ApplySettings(paths);
    struct Run {
        std::string title;
        std::vector<std::string> arguments;
    };
    const std::vector<Run> runs = {
        {"Insert points: three clicks on the plan, numbered from 1",
         {"insert", "--click", "0,0", "--click", "5,0", "--click", "5,3"}},
        {"Export points to " + paths.exported.string(), {"export", paths.exported.string()}},
        {"Import points from the shipped sample " + sample.string() +
             " (2 measured, 5 design points)",
         {"import", sample.string()}},
        {"Update points from the shipped as-built file " + asBuilt.string() +
             " (moves 1, 2 and 101, places 301, stakes design points 201 to 204)",
         {"update", asBuilt.string()}},
        {"Export points after the update to " + paths.staked.string(),
         {"export", paths.staked.string()}},
        {"The plan, one object a line", {"list"}},
        {"Render the plan to " + paths.picture.string(), {"render", paths.picture.string()}},
    };
    int number = 2;
    for (const Run& run : runs) {
        Step(number++, run.title);
        if (int status = RunPlanhost(paths, run.arguments); status != 0) {
            std::fprintf(stderr, "planhost: the step ended with status %d\n", status);
            return StepFailed;
        }
        if (run.arguments.front() == "export") ShowFile(run.arguments.back());
    }
    Step(number, "Stakeout report of " + paths.staked.string() + " to " + paths.report.string());
    if (!RunStakeoutReport(paths)) return StepFailed;
    std::printf(
        "\ndemo: done. Files:\n  project   %s\n  settings  %s\n  exported  %s\n"
        "  staked    %s\n  picture   %s\n  report    %s\n",
        paths.project.string().c_str(), paths.settingsFile.string().c_str(),
        paths.exported.string().c_str(), paths.staked.string().c_str(),
        paths.picture.string().c_str(), paths.report.string().c_str());
    return 0;
}

}  // namespace

CommandEntry DemoCommand() {
    auto folder = std::make_shared<std::string>("demo");
    return {
        "demo",
        "Run the main job in DIR (default ./demo): fresh project and settings, Settings, three "
        "inserted points, export, import of a shipped sample, update from a shipped as-built "
        "file, a picture of the plan, and the stakeout report (report.html) of the points.",
        [folder](CLI::App& sub) { sub.add_option("DIR", *folder, "The demo folder"); },
        [folder](Session&) { return RunDemo(*folder); },
        false,
    };
}

}  // namespace planhost
