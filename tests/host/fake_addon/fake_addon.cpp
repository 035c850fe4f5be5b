// A stand-in add-on module for the host's loader checks. It never opens a resource module; the
// environment variable FAKE_ADDON_FAULT names what else is wrong with it:
//   version        built for another API contract
//   min-host       needs a newer host release
//   null-entry     hands over no FreeData
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "GS/Compiler.hpp"
#include "api/api_entry_table.hpp"

namespace {

std::string_view Fault() {
    const char* fault = std::getenv("FAKE_ADDON_FAULT");
    return fault == nullptr ? std::string_view() : std::string_view(fault);
}

API_AddonType CheckEnvironment(API_EnvirParams*) {
    return APIAddon_Normal;
}
GSErrCode RegisterInterface() {
    return NoError;
}
GSErrCode Initialize(API_Token) {
    return NoError;
}
GSErrCode FreeData() {
    return NoError;
}

}  // namespace

GS_MODULE_EXPORT void GetExportedFuncAddrs(API_ExportRecord* record) {
    std::memset(record, 0, sizeof *record);
    record->apiVersion = Fault() == "version" ? 0x150001 : API_ContractVersion;
    record->minHostVersion = Fault() == "min-host" ? API_HostRelease + 1 : API_HostRelease;
    record->checkEnvironment = CheckEnvironment;
    record->registerInterface = RegisterInterface;
    record->initialize = Initialize;
    record->freeData = Fault() == "null-entry" ? nullptr : FreeData;
}

GS_MODULE_EXPORT GSErrCode SetImportedFuncAddrs(const API_EntryTable*) {
    return NoError;
}
