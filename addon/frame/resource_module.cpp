#include "frame/resource_module.hpp"

#include <cstring>

#include "DBG/Debug.hpp"
#include "RS/ResourceImage.hpp"
#include "frame/host_api.hpp"

// The compiled resource image (generated from resources/Stakewise.grc).
RS_DECLARE_RESOURCE_IMAGE(StakewiseResourceImage);

namespace frame {

namespace {

constexpr std::size_t kMaxModuleFileName = 260;

GSResModule gOwnResModule = 0;
char gModuleFileName[kMaxModuleFileName + 1] = {};

}  // namespace

GSResModule OwnResModule() {
    return gOwnResModule;
}

void OnLibraryLoad(const char* moduleFileName) {
    std::strncpy(gModuleFileName, moduleFileName != nullptr ? moduleFileName : "",
                 kMaxModuleFileName);
    gOwnResModule = RSOpenResourceModule(StakewiseResourceImage, StakewiseResourceImageSize);
}

void OnLibraryUnload() {
    if (Token() != 0) {
        DBPrintf("Abnormal add-on termination (\"%s\")\n", gModuleFileName);
        StoreToken(0);
    }
    ForgetEntryTable();
    RSCloseResourceModule(gOwnResModule);
    gOwnResModule = 0;
}

}  // namespace frame
