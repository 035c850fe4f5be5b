#include "frame/entry_points.hpp"

#include <exception>

#include "DBG/Debug.hpp"
#include "frame/commands.hpp"
#include "frame/host_api.hpp"
#include "frame/resource_module.hpp"
#include "frame/zero_filled.hpp"

namespace frame {

namespace {

constexpr MenuCommand kMenuCommands[] = {
    {32500, 0, InsertPoints}, {32501, 0, ImportPoints},      {32502, 0, ExportPoints},
    {32503, 2, UpdatePoints}, {32504, 0, RunSettingsDialog}, {32505, 0, RunInfoDialog},
};
static_assert(std::size(kMenuCommands) == kLastMenuResID - kFirstMenuResID + 1);

constexpr Int32 kMenuPositionDefault = 0;
constexpr Int16 kNoPromptResID = 0;

// A pick never lets an exception reach the host: the command ends and the host goes on.
GSErrCode RunCommand(void (*command)()) noexcept {
    try {
        command();
    } catch (const std::exception& error) {
        DBPrintf("Stakewise: the command ended early: %s", error.what());
    } catch (...) {
        DBPrintf("Stakewise: the command ended early");
    }
    return NoError;
}

}  // namespace

void FillExportRecord(API_ExportRecord* record) {
    *record = ZeroFilled<API_ExportRecord>();
    record->apiVersion = API_ContractVersion;
    record->checkEnvironment = CheckEnvironment;
    record->registerInterface = RegisterInterface;
    record->initialize = Initialize;
    record->freeData = FreeData;
    record->minHostVersion = API_HostRelease;
}

GSErrCode ReceiveEntryTable(const API_EntryTable* table) {
    if (table == nullptr) return APIERR_BADPARS;
    StoreEntryTable(*table);
    return NoError;
}

API_AddonType CheckEnvironment(API_EnvirParams* envir) {
    if (!HasEntryTable() || envir == nullptr) return APIAddon_DontRegister;
    if (envir->serverInfo.serverApplication != APIAppl_ArchiCADID) return APIAddon_DontRegister;
    API_AddOnInfo& info = envir->addOnInfo;
    RSGetIndString(info.name, sizeof(info.name), kAddOnNameResID, 1, OwnResModule());
    RSGetIndString(info.description, sizeof(info.description), kAddOnNameResID, 2, OwnResModule());
    return APIAddon_Normal;
}

GSErrCode RegisterInterface() {
    if (!HasEntryTable()) return APIERR_GENERAL;
    GSErrCode result = NoError;
    for (const MenuCommand& command : kMenuCommands)
        result = ACAPI_Register_Menu(command.menuResID, kNoPromptResID, kMenuPositionDefault,
                                     command.flags);
    return result;
}

GSErrCode Initialize(API_Token token) {
    if (!HasEntryTable()) return APIERR_GENERAL;
    StoreToken(token);
    GSErrCode result = NoError;
    for (const MenuCommand& command : kMenuCommands)
        result = ACAPI_Install_MenuHandler(command.menuResID, MenuCommandHandler);
    return result;
}

GSErrCode FreeData() {
    if (!HasEntryTable()) return APIERR_GENERAL;
    StoreToken(0);
    return NoError;
}

GSErrCode MenuCommandHandler(const API_MenuParams* params) {
    if (params == nullptr) return NoError;
    const Int16 id = params->menuItemRef.menuResID;
    if (id < kFirstMenuResID || id > kLastMenuResID) return NoError;
    return RunCommand(kMenuCommands[id - kFirstMenuResID].run);
}

}  // namespace frame
