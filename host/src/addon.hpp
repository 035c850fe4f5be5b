// Loading and unloading the add-on module, as a straight line of checks: each failure has its
// own message (what went wrong and what to do) and undoes exactly what was done before it.
//   load the module -> its own resource module -> GetExportedFuncAddrs (contract version, host
//   release, entry points) -> SetImportedFuncAddrs -> CheckEnvironment -> RegisterInterface ->
//   Initialize(token)
#pragma once

#include <optional>
#include <string>

#include "RS/Resources.hpp"
#include "api/api_entry_table.hpp"

namespace planhost {

class Session;

struct AddOnOptions {
    std::string path;                          // the module file
    Int32 applicationId = APIAppl_ArchiCADID;  // what CheckEnvironment is told
};

// What the host keeps of the loaded add-on.
struct LoadedAddOn {
    std::string path;
    void* module = nullptr;  // the loaded module; null when no add-on is loaded
    GSResModule resources = 0;
    API_ExportRecord exports{};
    std::string name;  // as CheckEnvironment filled it in
    std::string description;
};

// The add-on next to the planhost executable.
std::string DefaultAddOnPath();

// Loads the add-on into session.addOn() and registers its menus. On failure nothing of it stays
// loaded and the message says what to do; the message has no "planhost: " prefix.
std::optional<std::string> LoadAddOn(Session& session, const AddOnOptions& options);

// Calls FreeData (unless skipped, a fault test of the add-on's termination check), then unloads.
// Messages about an add-on that did not end cleanly go to standard error.
void UnloadAddOn(Session& session, bool callFreeData = true);

}  // namespace planhost
