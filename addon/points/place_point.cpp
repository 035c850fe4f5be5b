#include "points/place_point.hpp"

#include <algorithm>

#include "GS/Memory.hpp"
#include "frame/host_api.hpp"
#include "frame/reports.hpp"
#include "frame/zero_filled.hpp"
#include "points/library_object.hpp"
#include "points/object_parameter.hpp"
#include "points/symbol_size.hpp"
#include "settings/text_conversions.hpp"

namespace {

struct PointPlacement {
    Int32 number;
    double x;
    double y;
    double z;
    std::string_view kind;
};

struct Creation {
    API_Element* element;
    API_ElementMemo* memo;
};

GSErrCode CreateElement(void* userData) {
    const auto* creation = static_cast<Creation*>(userData);
    return ACAPI_Element_Create(creation->element, creation->memo);
}

// The memo's element ID becomes the number in decimal, in a handle of its own.
void WriteElementID(API_ElementMemo& memo, Int32 number) {
    const GS::UniString id = IntToText(number);
    BMKillTypedHandle(&memo.elemInfoString);
    memo.elemInfoString = BMAllocateTypedHandle<GS::uchar_t>(id.GetLength() + 1);
    if (memo.elemInfoString != nullptr)
        std::copy_n(id.ToUStr(), id.GetLength() + 1, *memo.elemInfoString);
}

// The object takes the part's default parameters; the ones that the defaults may have brought
// along go back first.
bool TakePartParameters(Int32 libInd, API_ElementMemo& memo) {
    double a = 0.0;
    double b = 0.0;
    Int32 count = 0;
    API_AddParType** params = nullptr;
    if (ACAPI_LibPart_GetParams(libInd, &a, &b, &count, &params) != NoError) {
        if (params != nullptr) ACAPI_DisposeAddParHdl(&params);
        return false;
    }
    if (memo.params != nullptr) ACAPI_DisposeAddParHdl(&memo.params);
    memo.params = params;
    return true;
}

void CreatePoint(API_Element& element, API_ElementMemo& memo) {
    Creation creation{&element, &memo};
    const GSErrCode result = ACAPI_CallUndoableCommand(u"Create text", CreateElement, &creation);
    if (result != NoError) ReportHostError("ACAPI_Element_Create (text)", result);
}

// The marker styles go on outside the undoable step, also when the creation failed.
void MarkAsMeasured(const API_Element& element, const LibraryObject& object) {
    SetObjectParameter("strMarkerStyle", object.markerStyle1, element);
    SetObjectParameter("strMarkerStyle3D", object.markerStyle2, element);
}

// Fills the object record and memo from the part's defaults and creates the point. The memo's
// parameter list goes back here; the caller frees the rest of the memo.
void PlaceObject(Int32 libInd, const LibraryObject& object, const PointPlacement& placement,
                 API_ElementMemo& memo) {
    auto element = ZeroFilled<API_Element>();
    element.header.typeID = API_ObjectID;
    ACAPI_Element_GetDefaults(&element, &memo);
    element.header.layer = API_DefaultLayer;
    element.header.drawIndex = API_DrawOnTop;
    element.object.libInd = libInd;
    const bool parametersTaken = TakePartParameters(libInd, memo);
    // PlacePoint read the settings a moment ago for the library object: one read per point.
    const double size = CurrentSymbolSize();
    if (!parametersTaken) return;
    element.object.xRatio = size;
    element.object.yRatio = size;
    element.object.pos = {placement.x, placement.y};
    element.object.level = placement.z;
    WriteElementID(memo, placement.number);
    CreatePoint(element, memo);
    if (placement.kind.find('M') != std::string_view::npos) MarkAsMeasured(element, object);
    ACAPI_DisposeAddParHdl(&memo.params);
}

}  // namespace

void PlacePoint(Int32 number, double x, double y, double z, std::string_view kind) {
    const LibraryObject object = ReadLibraryObject();
    auto memo = ZeroFilled<API_ElementMemo>();
    if (const std::optional<Int32> libInd = FindLibraryPart(object.fileName)) {
        PlaceObject(*libInd, object, {number, x, y, z, kind}, memo);
    } else {
        ShowAlert("Object is not loaded.");
    }
    ACAPI_DisposeElemMemoHdls(&memo);
}
