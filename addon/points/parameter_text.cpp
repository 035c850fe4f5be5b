#include "points/parameter_text.hpp"

#include <algorithm>
#include <cstring>

#include "GS/Memory.hpp"
#include "frame/host_api.hpp"
#include "frame/zero_filled.hpp"

namespace {

constexpr std::size_t kMaxParameterName = sizeof(API_AddParType::name) - 1;
constexpr std::size_t kMaxTextValue = std::size(API_AddParType{}.value.uStr);

std::string_view NameOf(const API_AddParType& parameter) {
    return {parameter.name, strnlen(parameter.name, sizeof(parameter.name))};
}

GS::UniString TextOf(const API_AddParType& parameter) {
    if (parameter.typeID != APIParT_CString) return {};
    const GS::uchar_t* text = parameter.value.uStr;
    return GS::UniString(
        std::u16string(text, std::find(text, text + kMaxTextValue, GS::uchar_t(0))));
}

// The first of the object's first `count` parameters with that name, as text.
GS::UniString FindText(API_AddParType** params, Int32 count, std::string_view name) {
    const Int64 usable = std::min<Int64>(count, BMHandleCount(params));
    for (Int64 i = 0; i < usable; ++i) {
        if (NameOf((*params)[i]) == name) return TextOf((*params)[i]);
    }
    return {};
}

}  // namespace

// The part's own default list is not needed and goes back at once.
Int32 CountPartParameters(Int32 libInd) {
    if (libInd == 0) return 0;
    auto part = ZeroFilled<API_LibPart>();
    part.typeID = APILib_ObjectID;
    part.index = libInd;
    if (ACAPI_LibPart_Get(&part) != NoError) return 0;
    double a = 0.0;
    double b = 0.0;
    Int32 count = 0;
    API_AddParType** defaults = nullptr;
    const GSErrCode result = ACAPI_LibPart_GetParams(libInd, &a, &b, &count, &defaults);
    if (defaults != nullptr) ACAPI_DisposeAddParHdl(&defaults);
    return result == NoError ? count : 0;
}

GS::UniString GetParameterText(std::string_view name, const API_Element& element,
                               Int32 partParameterCount) {
    if (partParameterCount < 1) return {};
    auto memo = ZeroFilled<API_ElementMemo>();
    const bool memoRead =
        ACAPI_Element_GetMemo(element.header.guid, &memo, APIMemoMask_AddPars) == NoError;
    GS::UniString text;
    if (memoRead)
        text = FindText(memo.params, partParameterCount, name.substr(0, kMaxParameterName));
    ACAPI_DisposeElemMemoHdls(&memo);
    return text;
}
