// planhost's run: options -> project -> add-on -> command -> FreeData and unload -> save ->
// what the command did.
#include <cstdio>
#include <exception>
#include <memory>

#include "DBG/Debug.hpp"
#include "DBG/DebugOutput.hpp"
#include "DG/Interaction.hpp"
#include "GS/HandleCount.hpp"
#include "addon.hpp"
#include "cli/commands.hpp"
#include "cli/project_opening.hpp"
#include "faults.hpp"
#include "interaction.hpp"
#include "model/model.hpp"
#include "os/stop_requests.hpp"
#include "session.hpp"
#include "trace.hpp"
#include "views.hpp"

namespace planhost {

namespace {

CLI::Validator FaultRuleValidator(void (Faults::*add)(std::string_view), const char* syntax) {
    return CLI::Validator(
        [add](std::string& rule) {
            try {
                Faults probe;
                (probe.*add)(rule);
                return std::string();
            } catch (const FaultSyntaxError& error) {
                return std::string(error.what());
            }
        },
        syntax);
}

void AddGlobalOptions(CLI::App& app, GlobalOptions& options) {
    app.add_option("--project", options.project,
                   "The project file to work on; created when missing by a command that "
                   "changes it")
        ->capture_default_str();
    app.add_option("--wait", options.waitSeconds,
                   "How long to wait for a project that another planhost is changing, seconds")
        ->check(CLI::NonNegativeNumber)
        ->capture_default_str();
    app.add_option("--view", options.view,
                   "The view in front at the start (and its database current)")
        ->check(CLI::IsMember({"floor-plan", "section", "3d", "layout"}))
        ->capture_default_str();
    app.add_option("--trace", options.trace,
                   "Write one line per host operation the add-on called to FILE");
    app.add_option(
           "--fail", options.fails,
           "Make the N-th call (every call without @N; from the N-th on with @N+) of a host "
           "operation, and selector, return CODE without doing anything (repeatable)")
        ->check(FaultRuleValidator(&Faults::AddFail, "OP[:SEL][@N[+]]=CODE"))
        ->allow_extra_args(false);
    app.add_option("--empty", options.empties,
                   "Leave a host operation's entry empty, or make one selector answer "
                   "APIERR_MISSINGCODE (repeatable)")
        ->check(FaultRuleValidator(&Faults::AddEmpty, "OP[:SEL]"))
        ->allow_extra_args(false);
    app.add_option("--library", options.libraries,
                   "A library folder to load (repeatable); without one the shipped default "
                   "library, with \"none\" no library")
        ->allow_extra_args(false);
    app.add_option("--addon", options.addon,
                   "The add-on module to load; by default Stakewise.so next to planhost");
    app.add_option("--application-id", options.applicationId,
                   "The host application id that the add-on's CheckEnvironment is told")
        ->capture_default_str();
    app.add_flag("--skip-free-data", options.skipFreeData,
                 "Unload the add-on without calling its FreeData (a fault test)");
}

std::unique_ptr<Faults> BuildFaults(const GlobalOptions& options) {
    auto faults = std::make_unique<Faults>();
    for (const std::string& rule : options.fails) faults->AddFail(rule);
    for (const std::string& rule : options.empties) faults->AddEmpty(rule);
    return faults;
}

// The host's side of the support libraries for the length of a run: debug lines and alerts.
class HostOutputs {
public:
    explicit HostOutputs(Interaction& interaction)
        : previousDriver_(DG::SetInteractionDriver(&interaction)) {
        DBSetOutput([](std::string_view line) {
            std::fprintf(stderr, "debug: %.*s\n", int(line.size()), line.data());
            std::fflush(stderr);
        });
    }
    ~HostOutputs() {
        DBSetOutput(nullptr);
        DG::SetInteractionDriver(previousDriver_);
    }
    HostOutputs(const HostOutputs&) = delete;
    HostOutputs& operator=(const HostOutputs&) = delete;

private:
    DG::InteractionDriver* previousDriver_;
};

// Runs the command and reports the handles the add-on left outstanding.
CommandResult RunCommand(const CommandEntry& command, Session& session) {
    const Int64 handlesBefore = BMOutstandingHandles();
    CommandResult result(ExitStatus::kHostFailed);
    try {
        result = command.run(session);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "planhost: the %s command failed inside the host: %s\n",
                     command.name.c_str(), error.what());
    }
    std::fflush(stdout);
    if (const Int64 leaked = BMOutstandingHandles() - handlesBefore; leaked > 0)
        DBPrintf("leaked %lld handles", static_cast<long long>(leaked));
    return result;
}

// From here on Ctrl-C and SIGTERM end the run with a line that says what became of the project;
// the demo's steps are runs of their own that say so themselves.
void WatchStopRequestsFor(ProjectUse use, const std::string& project) {
    if (use == ProjectUse::kNone) {
        os::UnwatchStopRequests();
        return;
    }
    os::WatchStopRequests(
        "planhost: stopped; nothing was saved, the project " + project +
            " is as it was before the command\n",
        "planhost: stopped; the command's work was saved in the project " + project + "\n");
}

// Saves the command's changes; false, after telling why, when they could not be saved.
bool SaveProject(Model& model, const std::string& project) {
    os::HoldStopRequests();
    bool saved = false;
    try {
        saved = model.Commit();
    } catch (const std::exception& error) {
        std::fprintf(stderr,
                     "planhost: cannot save the project %s: %s; its previous state is kept\n",
                     project.c_str(), error.what());
        os::ReleaseStopRequests(false);
        return false;
    }
    os::ReleaseStopRequests(saved);
    return true;
}

ExitStatus RunSession(const CommandEntry& command, const GlobalOptions& options) {
    auto trace =
        options.trace.empty() ? std::make_unique<Trace>() : std::make_unique<Trace>(options.trace);
    if (!options.trace.empty() && !trace->IsOpen()) {
        std::fprintf(stderr,
                     "planhost: cannot write the trace file %s; check that its folder exists "
                     "and is writable\n",
                     options.trace.c_str());
        return ExitStatus::kHostFailed;
    }

    WatchStopRequestsFor(command.project, options.project);
    // Declared before the session: the project stays held until the session has ended.
    std::optional<OpenedProject> project = OpenProject(command.project, options);
    if (!project) return ExitStatus::kHostFailed;
    Session session(std::move(project->model),
                    std::make_unique<Views>(*Views::FromName(options.view)), BuildFaults(options),
                    std::move(trace));
    HostOutputs outputs(session.interaction());

    if (command.needsAddon) {
        const AddOnOptions addOn{options.addon.empty() ? DefaultAddOnPath() : options.addon,
                                 options.applicationId};
        if (const std::optional<std::string> failure = LoadAddOn(session, addOn)) {
            std::fprintf(stderr, "planhost: %s\n", failure->c_str());
            return ExitStatus::kHostFailed;
        }
    }
    const CommandResult result = RunCommand(command, session);
    UnloadAddOn(session, !options.skipFreeData);

    if (result.status != ExitStatus::kCommandRan) return result.status;
    if (command.project != ProjectUse::kNone && !SaveProject(session.model(), options.project))
        return ExitStatus::kHostFailed;
    if (!result.summary.empty()) std::printf("%s\n", result.summary.c_str());
    std::fflush(stdout);
    return ExitStatus::kCommandRan;
}

}  // namespace

int RunPlanhost(int argc, char** argv) {
    // Whatever stops the run before it opens a project, nothing of it was saved.
    os::WatchStopRequests("planhost: stopped; nothing was saved\n", "");
    CLI::App app{
        "planhost: a host application for the Stakewise add-on. It opens a project, loads the "
        "add-on module, runs one command as a user would, and saves the project.",
        "planhost"};
    app.fallthrough();
    app.require_subcommand(1);
    GlobalOptions options;
    AddGlobalOptions(app, options);

    std::vector<CommandEntry> commands;
    AddFrameCommands(commands);
    AddPointCommands(commands);
    AddDialogCommands(commands);
    AddFloorCommands(commands);
    std::vector<CLI::App*> subcommands;
    for (const CommandEntry& command : commands) {
        CLI::App* sub = app.add_subcommand(command.name, command.help);
        if (command.addOptions) command.addOptions(*sub);
        subcommands.push_back(sub);
    }

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return int(app.exit(error) == 0 ? ExitStatus::kCommandRan : ExitStatus::kUsageError);
    }
    for (std::size_t i = 0; i < commands.size(); ++i)
        if (subcommands[i]->parsed()) return int(RunSession(commands[i], options));
    return int(ExitStatus::kUsageError);
}

}  // namespace planhost
