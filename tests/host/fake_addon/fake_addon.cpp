// A stand-in add-on module for the host's loader checks. Left alone it is a complete add-on
// without menus: it opens an empty resource module when loaded and names itself "Fake add-on".
// The environment variable FAKE_ADDON_CONTRACT (hex) names the contract it claims to be built
// against; FAKE_ADDON_FAULT names what else is wrong with it:
//   min-host       needs a newer host release
//   null-entry     hands over no FreeData
//   no-resources   opens no resource module
#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "GS/Compiler.hpp"
#include "RS/ImageFormat.hpp"
#include "RS/Resources.hpp"
#include "api/api_entry_table.hpp"

namespace {

// A resource image that holds no resources: the header alone.
constexpr std::array<unsigned char, RS::image::HeaderSize> EmptyImage() {
    std::array<unsigned char, RS::image::HeaderSize> image{};
    std::copy(std::begin(RS::image::Magic), std::end(RS::image::Magic), image.begin());
    image[4] = RS::image::Version;
    return image;
}
constexpr std::array kEmptyImage = EmptyImage();

GSResModule gResources = 0;

std::string_view Env(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string_view() : std::string_view(value);
}

__attribute__((constructor)) void OpenResources() {
    if (Env("FAKE_ADDON_FAULT") != "no-resources")
        gResources = RSOpenResourceModule(kEmptyImage.data(), kEmptyImage.size());
}
__attribute__((destructor)) void CloseResources() {
    RSCloseResourceModule(gResources);
}

}  // namespace

GS_MODULE_EXPORT void GetExportedFuncAddrs(API_ExportRecord* record) {
    const std::string_view contract = Env("FAKE_ADDON_CONTRACT");
    const std::string_view fault = Env("FAKE_ADDON_FAULT");
    std::memset(record, 0, sizeof *record);
    record->apiVersion =
        contract.empty() ? API_ContractVersion : UInt32(std::strtoul(contract.data(), nullptr, 16));
    record->minHostVersion = fault == "min-host" ? API_HostRelease + 1 : API_HostRelease;
    record->checkEnvironment = [](API_EnvirParams* envir) {
        std::strcpy(envir->addOnInfo.name, "Fake add-on");
        return APIAddon_Normal;
    };
    record->registerInterface = [] { return NoError; };
    record->initialize = [](API_Token) { return NoError; };
    record->freeData = fault == "null-entry" ? nullptr : +[] { return NoError; };
}

GS_MODULE_EXPORT GSErrCode SetImportedFuncAddrs(const API_EntryTable*) {
    return NoError;
}
