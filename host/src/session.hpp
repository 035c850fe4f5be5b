// One planhost run: the state every host operation works on, and the border through which every
// call of the add-on comes in (token check, fault injection, trace).
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "api/api_entry_table.hpp"
#include "function_ref.hpp"

namespace planhost {

class Model;         // model/model.hpp: libraries, the floor plan's elements, undo
class Project;       // model/project.hpp: the SQLite project file
class Views;         // views.hpp: databases and windows, the current database, the front window
class Interaction;   // interaction.hpp: scripted answers to point input, dialogs, cancel
class Trace;         // trace.hpp: --trace lines
class Faults;        // faults.hpp: --fail and --empty
class Menus;         // menus.hpp: the add-on's registered menu items
struct LoadedAddOn;  // addon.hpp: the loaded module, its entry points and what it told of itself

class Session {
public:
    // Makes this the current session. model may be null for a run that touches no model.
    Session(std::unique_ptr<Model> model, std::unique_ptr<Views> views,
            std::unique_ptr<Faults> faults, std::unique_ptr<Trace> trace);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // The session that the entry table's functions work on. Exactly one exists while the
    // add-on is loaded.
    static Session& Current();

    Model& model();
    Project& project();
    Views& views();
    Interaction& interaction();
    Trace& trace();
    Faults& faults();
    Menus& menus();
    LoadedAddOn& addOn();

    API_Token token() const;
    // Initialize hands the add-on a new non-zero token; FreeData ends its validity.
    API_Token IssueToken();
    void RevokeToken();

    // Picks a menu item of the loaded add-on as the user would: calls the handler the add-on
    // installed with the menu record {menuResID, item 1}. A menu id that the add-on did not
    // register is still delivered to its handler (the host's way to test dispatch bounds).
    // Returns the handler's result.
    GSErrCode PickMenu(Int16 menuResID);

    // Runs one host operation called by the add-on: checks the token (token 0 is accepted
    // where allowTokenZero), applies a --fail or --empty rule for (op, selector), runs body,
    // and writes the trace line "OP[ SEL][ details] -> 0xCODE". body returns the result and
    // may append details (e.g. "type=1") to its argument. selector 0 means none.
    GSErrCode Call(API_Token token, const char* op, GSType selector,
                   FunctionRef<GSErrCode(std::string& details)> body, bool allowTokenZero = false);
    // The same, with describe giving the line's leading details after the call, whatever its
    // outcome (also when a fault replaced it): inputs such as "type=1", or what was filled in.
    GSErrCode CallDescribed(API_Token token, const char* op, GSType selector,
                            FunctionRef<std::string()> describe,
                            FunctionRef<GSErrCode(std::string& details)> body,
                            bool allowTokenZero = false);

private:
    GSErrCode RunBody(const char* op, FunctionRef<GSErrCode(std::string&)> body,
                      std::string& details);

    std::unique_ptr<Model> model_;
    std::unique_ptr<Views> views_;
    std::unique_ptr<Faults> faults_;
    std::unique_ptr<Trace> trace_;
    std::unique_ptr<Interaction> interaction_;
    std::unique_ptr<Menus> menus_;
    std::unique_ptr<LoadedAddOn> addOn_;
    API_Token token_ = 0;
};

// Each group of host operations lives in its own file and fills its own slots.
void FillFrameOperations(API_EntryTable& table);    // menus, databases, windows, interface, reports
void FillElementOperations(API_EntryTable& table);  // library parts, elements, parameters, undo,
                                                    // disposal

}  // namespace planhost
