#include "points/measure_points.hpp"

#include <algorithm>
#include <optional>

#include "GS/Memory.hpp"
#include "frame/host_api.hpp"
#include "frame/zero_filled.hpp"
#include "points/library_object.hpp"
#include "points/parameter_text.hpp"
#include "settings/number_text.hpp"
#include "settings/text_conversions.hpp"

namespace {

// The GUIDs of all object elements; empty when the host cannot list them.
std::vector<API_Guid> ListObjects() {
    API_Guid** guids = nullptr;
    Int32 count = 0;
    ACAPI_Element_GetElemList(API_ObjectID, &guids, &count, 0, 0, nullptr);
    std::vector<API_Guid> list;
    if (guids != nullptr) {
        const Int64 usable = std::min<Int64>(count, BMHandleCount(guids));
        list.assign(*guids, *guids + std::max<Int64>(usable, 0));
    }
    BMKillTypedHandle(&guids);
    return list;
}

API_Element ReadObject(const API_Guid& guid) {
    auto element = ZeroFilled<API_Element>();
    element.header.typeID = API_ObjectID;
    element.header.guid = guid;
    ACAPI_Element_Get(&element, 0);
    return element;
}

std::string ElementIDOf(const API_ElementMemo& memo) {
    if (memo.elemInfoString == nullptr) return {};
    const Int64 capacity = BMHandleCount(memo.elemInfoString);
    const GS::uchar_t* text = *memo.elemInfoString;
    const GS::uchar_t* end = std::find(text, text + capacity, GS::uchar_t(0));
    return ToNarrowText(GS::UniString(std::u16string(text, end)));
}

}  // namespace

MeasurePoints CollectMeasurePoints() {
    const std::vector<API_Guid> objects = ListObjects();
    const LibraryObject object = ReadLibraryObject();
    const std::optional<Int32> libInd = FindLibraryPart(object.fileName);
    // The part cannot change while a command runs: its parameter count is asked once.
    const Int32 parameterCount = libInd ? CountPartParameters(*libInd) : 0;
    MeasurePoints points;
    // Room for every object in both lists: the pages that stay unused are never touched, and
    // a survey's list is never copied while it grows.
    points.measured.reserve(objects.size());
    points.design.reserve(objects.size());
    for (const API_Guid& guid : objects) {
        const API_Element element = ReadObject(guid);
        if (!libInd || element.object.libInd != *libInd) continue;
        const bool measured = ToNarrowText(GetParameterText("strMarkerStyle", element,
                                                            parameterCount)) == object.markerStyle1;
        (measured ? points.measured : points.design).push_back(element);
    }
    return points;
}

Int32 ReadPointNumber(const API_Element& element) {
    if (!element.header.hasMemo) return 0;
    auto memo = ZeroFilled<API_ElementMemo>();
    // The ID text alone: the whole memo would have the host copy every parameter for nothing.
    const bool read =
        ACAPI_Element_GetMemo(element.header.guid, &memo, APIMemoMask_ElemInfoString) == NoError;
    const Int32 number = read ? AtoI(ElementIDOf(memo)) : 0;
    ACAPI_DisposeElemMemoHdls(&memo);
    return number;
}
