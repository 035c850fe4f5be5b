// One planhost run: the state every host operation works on, and the border through which every
// call of the add-on comes in (token check, fault injection, trace).
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "api/api_entry_table.h"

namespace planhost {

class Model;        // model/model.hpp: libraries, the floor plan's elements, undo
class Project;      // model/project.hpp: the SQLite project file
class Views;        // views.hpp: databases and windows, the current database, the front window
class Interaction;  // interaction.hpp: scripted answers to point input, dialogs, cancel
class Trace;        // trace.hpp: --trace lines
class Faults;       // faults.hpp: --fail and --empty

class Session {
public:
    // The session that the entry table's functions work on. Exactly one exists while the
    // add-on is loaded.
    static Session& Current();

    Model& model();
    Project& project();
    Views& views();
    Interaction& interaction();
    Trace& trace();
    Faults& faults();

    API_Token token() const;

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
                   const std::function<GSErrCode(std::string& details)>& body,
                   bool allowTokenZero = false);
};

// Each group of host operations lives in its own file and fills its own slots.
void FillFrameOperations(API_EntryTable& table);    // menus, databases, windows, interface, reports
void FillElementOperations(API_EntryTable& table);  // library parts, elements, parameters, undo,
                                                    // disposal

}  // namespace planhost
