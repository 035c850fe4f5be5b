#include "frame/resource_module.hpp"

#include <algorithm>

#include "DBG/Debug.hpp"
#include "RS/ResourceImage.hpp"
#include "frame/host_api.hpp"

// The compiled resource image (generated from resources/Stakewise.grc).
RS_DECLARE_RESOURCE_IMAGE(StakewiseResourceImage);

namespace frame {

namespace {

constexpr std::size_t kMaxModuleFileName = 260;  // wide characters, as Windows keeps paths

GSResModule gOwnResModule = 0;
// Plain characters, not a string object: the unload message reads it while the module's
// objects are being destroyed.
char16_t gModuleFileName[kMaxModuleFileName + 1] = {};

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

// At most kMaxModuleFileName UTF-16 units, never half of a character at the cut.
void KeepModuleFileName(const std::u16string& name) {
    std::size_t length = std::min(name.size(), kMaxModuleFileName);
    if (length < name.size() && IsHighSurrogate(name[length - 1])) --length;
    std::copy_n(name.begin(), length, gModuleFileName);
    gModuleFileName[length] = u'\0';
}

}  // namespace

GSResModule OwnResModule() {
    return gOwnResModule;
}

void OnLibraryLoad(const GS::UniString& moduleFileName) {
    KeepModuleFileName(moduleFileName.Text());
    gOwnResModule = RSOpenResourceModule(StakewiseResourceImage, StakewiseResourceImageSize);
}

void OnLibraryUnload() {
    if (Token() != 0) {
        DBPrintf("Abnormal add-on termination (\"%s\")\n",
                 GS::UniString(gModuleFileName).ToCStr(GS::CC_UTF8).c_str());
        StoreToken(0);
    }
    ForgetEntryTable();
    RSCloseResourceModule(gOwnResModule);
    gOwnResModule = 0;
}

}  // namespace frame
