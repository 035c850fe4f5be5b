// demo: the main job of the system, start to end, in a folder of its own: fresh
// project and settings, the Settings values, three inserted points, an export,
// an import of a shipped sample, an update from a shipped as-built file, a
// picture of the plan, and the stakeout report of the points after the update.
// Each step is a run of its own (planhost is this same program,
// stakewise-report lies next to it), as a user would run them one after the
// other.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "IO/Utf8Path.hpp"
#include "cli/point_command_entries.hpp"
#include "cli/project_opening.hpp"
#include "model/library.hpp"
#include "os/process.hpp"

namespace planhost {

namespace {

namespace fs = std::filesystem;

std::string Text(const fs::path& path) {
    return IO::Utf8FromPath(path);
}

// The project file and the companions that SQLite makes beside it.
constexpr const char* kProjectSuffixes[] = {"", "-journal", "-wal", "-shm"};
constexpr std::size_t kForeignNamesShown = 3;

struct DemoArgs {
    std::string folder = "demo";
    bool force = false;
};

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
    paths.folder = fs::absolute(IO::PathFromUtf8(folder));
    paths.config = paths.folder / "config";
    paths.settingsFile = paths.config / "Orvane" / "Stakewise" / "Stakewise.ini";
    paths.project = paths.folder / "plan.db";
    paths.exported = paths.folder / "exported-points.txt";
    paths.staked = paths.folder / "staked-points.txt";
    paths.picture = paths.folder / "plan.svg";
    paths.report = paths.folder / "report.html";
    const fs::path programs = IO::PathFromUtf8(DefaultLibraryFolder()).parent_path();
    paths.samples = programs / "samples";
    paths.reportTool = programs / STAKEWISE_REPORT_FILE_NAME;
    return paths;
}

// The environment of the steps: this one, with the settings folder of the demo.
std::vector<std::string> StepEnvironment(const DemoPaths& paths) {
    std::vector<std::string> variables = os::Environment();
    std::erase_if(variables, [](const std::string& variable) {
        return variable.starts_with("XDG_CONFIG_HOME=");
    });
    variables.push_back("XDG_CONFIG_HOME=" + Text(paths.config));
    return variables;
}

// Runs a program with the demo's settings, after what the demo printed so far.
// Its exit status, or -1.
int RunWithDemoSettings(const DemoPaths& paths, const fs::path& program,
                        const std::vector<std::string>& arguments) {
    std::fflush(stdout);
    std::fflush(stderr);
    return os::RunProgram(program, arguments, StepEnvironment(paths)).value_or(-1);
}

// Runs one step: planhost with the demo's project and settings. Its exit
// status, or -1.
int RunStep(const DemoPaths& paths, std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"planhost", "--project", Text(paths.project)});
    return RunWithDemoSettings(paths, os::ThisProgram(), arguments);
}

// The stakeout report of the export after the update, as a page; some points
// are outside their tolerance on purpose (status 1), so only a report that
// could not be made fails.
bool RunStakeoutReport(const DemoPaths& paths) {
    const int status =
        RunWithDemoSettings(paths, paths.reportTool,
                            {"stakewise-report", "--html", Text(paths.report), Text(paths.staked)});
    if (status == 0 || status == 1) return true;
    std::fprintf(stderr, "planhost: stakewise-report ended with status %d\n", status);
    return false;
}

bool IsDemoFileName(const DemoPaths& paths, const std::string& name) {
    const std::string project = Text(paths.project.filename());
    const bool projectFile =
        std::any_of(std::begin(kProjectSuffixes), std::end(kProjectSuffixes),
                    [&](const char* suffix) { return name == project + suffix; });
    // The files the demo writes, and the hidden temporary files of saves of them
    // that were killed: ".NAME.tmp..."
    const fs::path made[] = {paths.exported, paths.staked, paths.picture, paths.report};
    const bool madeFile =
        std::any_of(std::begin(made), std::end(made), [&name](const fs::path& file) {
            return name == file.filename() ||
                   name.starts_with("." + Text(file.filename()) + ".tmp");
        });
    return projectFile || name == ProjectLockPath(paths.project).filename() ||
           name == paths.config.filename() || madeFile;
}

// The names in the folder that the demo did not make, sorted. The demo's
// settings folder comes first in every run, so without it nothing in the folder
// is the demo's.
std::vector<std::string> ForeignNames(const DemoPaths& paths) {
    std::vector<std::string> names;
    std::error_code error;
    const bool demoMade = fs::is_directory(paths.settingsFile.parent_path(), error);
    for (const fs::directory_entry& entry : fs::directory_iterator(paths.folder, error)) {
        const std::string name = Text(entry.path().filename());
        if (!demoMade || !IsDemoFileName(paths, name)) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

void TellForeignFolder(const DemoPaths& paths, const std::vector<std::string>& names) {
    std::string shown;
    for (std::size_t i = 0; i < std::min(names.size(), kForeignNamesShown); ++i)
        shown += (i == 0 ? "" : ", ") + names[i];
    if (names.size() > kForeignNamesShown) shown += ", ...";
    std::fprintf(stderr,
                 "planhost: the folder %s holds files that the demo did not make "
                 "(%s); name "
                 "another folder, or add --force to let the demo replace its own "
                 "files there\n",
                 Text(paths.folder).c_str(), shown.c_str());
}
void Step(int number, const std::string& what) {
    std::printf("\n== %d. %s\n", number, what.c_str());
    std::fflush(stdout);
}

bool StartFresh(const DemoPaths& paths) {
    std::error_code error;
    fs::create_directories(paths.settingsFile.parent_path(), error);
    for (const char* suffix : kProjectSuffixes)
        fs::remove(fs::path(paths.project) += suffix, error);
    fs::remove(paths.settingsFile, error);
    fs::remove(fs::path(paths.settingsFile).replace_extension("dat"), error);
    for (const fs::path& made : {paths.exported, paths.staked, paths.report})
        fs::remove(made, error);
    return fs::is_directory(paths.settingsFile.parent_path());
}

// The Settings dialog's values; written by hand when the dialog cannot be run.
void ApplySettings(const DemoPaths& paths) {
    const int status =
        RunStep(paths, {"settings", "--symbol-size", "1", "--start-number", "1", "--library", "2"});
    if (status == int(ExitStatus::kCommandRan) && fs::exists(paths.settingsFile)) {
        std::printf("demo: the Settings dialog saved %s\n", Text(paths.settingsFile).c_str());
        return;
    }
    std::ofstream file(paths.settingsFile, std::ios::binary);
    file << "Username=\r\nMinimized=0\r\nProjectUnits=\r\nSymbolSize="
            "1\r\nStartNumber=1\r\n"
            "Library=2\r\n";
    std::printf("demo: the Settings dialog did not save; wrote %s directly\n",
                Text(paths.settingsFile).c_str());
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

ExitStatus RunDemo(const DemoArgs& args) {
    DemoPaths paths = PathsFor(args.folder);
    fs::path sample = paths.samples / "site-points.txt";
    fs::path asBuilt = paths.samples / "as-built.txt";
    if (!fs::exists(sample) || !fs::exists(asBuilt)) {
        std::fprintf(stderr, "planhost: the shipped samples are missing in %s\n",
                     Text(paths.samples).c_str());
        return ExitStatus::kRefused;
    }
    if (const std::vector<std::string> foreign = ForeignNames(paths);
        !foreign.empty() && !args.force) {
        TellForeignFolder(paths, foreign);
        return ExitStatus::kUsageError;
    }
    if (!StartFresh(paths)) {
        std::fprintf(stderr, "planhost: cannot make the folder %s\n", Text(paths.folder).c_str());
        return ExitStatus::kRefused;
    }
    std::printf("demo: a fresh project %s and settings in %s\n", Text(paths.project).c_str(),
                Text(paths.config).c_str());

    Step(1, "Settings: symbol size 1, start number 1, library 2 (Stakemark.gsm)");
    ApplySettings(paths);
    struct Run {
        std::string title;
        std::vector<std::string> arguments;
    };
    const std::vector<Run> runs = {
        {"Insert points: three clicks on the plan, numbered from 1",
         {"insert", "--click", "0,0", "--click", "5,0", "--click", "5,3"}},
        {"Export points to " + Text(paths.exported), {"export", Text(paths.exported)}},
        {"Import points from the shipped sample " + Text(sample) + " (2 measured, 5 design points)",
         {"import", Text(sample)}},
        {"Update points from the shipped as-built file " + Text(asBuilt) +
             " (moves 1, 2 and 101, places 301, stakes design points 201 to 204)",
         {"update", Text(asBuilt)}},
        {"Export points after the update to " + Text(paths.staked), {"export", Text(paths.staked)}},
        {"The plan, one object a line", {"list"}},
        {"Render the plan to " + Text(paths.picture), {"render", Text(paths.picture)}},
    };
    int number = 2;
    for (const Run& run : runs) {
        Step(number++, run.title);
        if (const int status = RunStep(paths, run.arguments);
            status != int(ExitStatus::kCommandRan)) {
            std::fprintf(stderr, "planhost: the step ended with status %d\n", status);
            return ExitStatus::kRefused;
        }
        if (run.arguments.front() == "export") ShowFile(run.arguments.back());
    }
    Step(number, "Stakeout report of " + Text(paths.staked) + " to " + Text(paths.report));
    if (!RunStakeoutReport(paths)) return ExitStatus::kRefused;
    std::printf(
        "\ndemo: done. Files:\n  project   %s\n  settings  %s\n  exported  %s\n"
        "  staked    %s\n  picture   %s\n  report    %s\n",
        Text(paths.project).c_str(), Text(paths.settingsFile).c_str(), Text(paths.exported).c_str(),
        Text(paths.staked).c_str(), Text(paths.picture).c_str(), Text(paths.report).c_str());
    return ExitStatus::kCommandRan;
}

}  // namespace

CommandEntry DemoCommand() {
    auto args = std::make_shared<DemoArgs>();
    return {
        "demo",
        "Run the main job in DIR (default ./demo): fresh project and settings, Settings, three "
        "inserted points, export, import of a shipped sample, update from a shipped as-built "
        "file, a picture of the plan, and the stakeout report (report.html) of the points. A "
        "DIR that holds files the demo did not make is refused (exit status 2) unless --force.",
        [args](CLI::App& sub) {
            sub.add_option("DIR", args->folder, "The demo folder");
            sub.add_flag("--force", args->force,
                         "Replace the demo's own files in DIR even though it holds others");
        },
        [args](Session&) { return RunDemo(*args); },
        false,
        ProjectUse::kNone,
    };
}

}  // namespace planhost
