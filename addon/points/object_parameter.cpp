#include "points/object_parameter.hpp"

#include <algorithm>

#include "GS/UniString.hpp"
#include "frame/host_api.hpp"
#include "frame/zero_filled.hpp"

namespace {

bool ChangeParameter(std::string_view name, std::string_view value) {
    auto change = ZeroFilled<API_ChangeParamType>();
    std::copy_n(name.data(), std::min(name.size(), sizeof(change.name) - 1), change.name);
    const GS::UniString text(value, GS::CC_System);  // lives through the call only
    change.uStrValue = text.ToUStr();
    return ACAPI_Goodies(APIAny_ChangeAParameterID, &change) == NoError;
}

// Applies the session's changed parameter list to the placed object.
bool ApplyParameters(const API_Element& element) {
    auto params = ZeroFilled<API_GetParamsType>();
    const bool listed = ACAPI_Goodies(APIAny_GetActParametersID, &params) == NoError;
    bool applied = false;
    if (listed) {
        auto head = ZeroFilled<API_Elem_Head>();
        head.typeID = API_ObjectID;
        head.guid = element.header.guid;
        auto defaults = ZeroFilled<API_Element>();
        defaults.header.typeID = API_ObjectID;
        auto memo = ZeroFilled<API_ElementMemo>();
        memo.params = params.params;
        const auto mask = ZeroFilled<API_Element>();
        applied = ACAPI_Element_ChangeParameters(&head, 1, &defaults, &memo, &mask) == NoError;
    }
    if (params.params != nullptr) ACAPI_DisposeAddParHdl(&params.params);
    return applied;
}

}  // namespace

bool SetObjectParameter(std::string_view name, std::string_view value, const API_Element& element) {
    auto owner = ZeroFilled<API_ParamOwnerType>();
    owner.guid = element.header.guid;
    owner.libInd = 0;
    owner.typeID = API_ObjectID;
    if (ACAPI_Goodies(APIAny_OpenParametersID, &owner) != NoError) return false;
    const bool changed = ChangeParameter(name, value) && ApplyParameters(element);
    const bool closed = ACAPI_Goodies(APIAny_CloseParametersID) == NoError;
    return changed && closed;
}
