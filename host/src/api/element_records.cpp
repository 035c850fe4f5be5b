#include "api/element_records.hpp"

#include <algorithm>
#include <cstring>

#include "GS/Memory.hpp"
#include "session.hpp"
#include "views.hpp"

namespace planhost {

namespace {

// Whether the mask flags the field whose copy in the mask record is at `field`.
template <typename T>
bool IsMasked(const T& field) {
    const auto* bytes = reinterpret_cast<const UInt8*>(&field);
    return std::any_of(bytes, bytes + sizeof(T), [](UInt8 byte) { return byte != 0; });
}

template <typename T>
bool ResizeHandle(T*** handle, std::size_t bytes) {
    auto* raw = reinterpret_cast<GSHandle>(*handle);
    raw = raw == nullptr ? BMAllocateHandle(GSSize(bytes)) : BMReallocHandle(raw, GSSize(bytes));
    if (raw == nullptr) return false;
    *handle = reinterpret_cast<T**>(raw);
    return true;
}

Parameter FromRecord(const API_AddParType& record) {
    Parameter parameter;
    parameter.type = record.typeID;
    parameter.name.assign(record.name, strnlen(record.name, sizeof record.name));
    if (parameter.IsText()) {
        const GS::uchar_t* text = record.value.uStr;
        const GS::uchar_t* end = std::find(text, text + 255, GS::uchar_t(0));
        parameter.text.assign(text, end);
    } else {
        parameter.real = record.value.real;
    }
    return parameter;
}

}  // namespace

void FillObjectRecord(const ObjectElement& element, API_Element* record) {
    std::memset(record, 0, sizeof *record);
    API_ObjectType& object = record->object;
    object.head.typeID = API_ObjectID;
    object.head.guid = element.guid;
    object.head.modiStamp = element.modiStamp;
    object.head.hasMemo = element.hasMemo;
    object.head.floorInd = element.floorInd;
    object.head.layer = element.layer;
    object.head.drawIndex = element.drawIndex;
    object.libInd = element.libInd;
    object.xRatio = element.a;
    object.yRatio = element.b;
    object.pos = {element.x, element.y};
    object.level = element.z;
    object.angle = element.angle;
}

void ApplyMaskedFields(const API_Element& record, const API_Element& mask, ObjectElement* element) {
    const API_ObjectType& from = record.object;
    const API_ObjectType& flags = mask.object;
    if (IsMasked(flags.libInd)) element->libInd = from.libInd;
    if (IsMasked(flags.xRatio)) element->a = from.xRatio;
    if (IsMasked(flags.yRatio)) element->b = from.yRatio;
    if (IsMasked(flags.pos.x)) element->x = from.pos.x;
    if (IsMasked(flags.pos.y)) element->y = from.pos.y;
    if (IsMasked(flags.level)) element->z = from.level;
    if (IsMasked(flags.angle)) element->angle = from.angle;
    if (IsMasked(flags.head.floorInd)) element->floorInd = from.head.floorInd;
    if (IsMasked(flags.head.layer)) element->layer = from.head.layer;
    if (IsMasked(flags.head.drawIndex)) element->drawIndex = from.head.drawIndex;
}

void ApplyAllFields(const API_Element& record, ObjectElement* element) {
    API_Element all;
    std::memset(&all, 0xFF, sizeof all);
    ApplyMaskedFields(record, all, element);
}

std::u16string ReadIdHandle(GS::uchar_t** handle) {
    if (handle == nullptr || *handle == nullptr) return {};
    const GS::uchar_t* text = *handle;
    const GS::uchar_t* end = text + BMHandleCount(handle);
    return std::u16string(text, std::find(text, end, GS::uchar_t(0)));
}

ParameterList ReadParameterHandle(API_AddParType** handle) {
    ParameterList list;
    if (handle == nullptr || *handle == nullptr) return list;
    Int64 count = BMHandleCount(handle);
    list.reserve(std::size_t(count));
    for (Int64 i = 0; i < count; ++i) list.push_back(FromRecord((*handle)[i]));
    return list;
}

bool WriteIdHandle(const std::u16string& id, GS::uchar_t*** handle) {
    std::size_t bytes = (id.size() + 1) * sizeof(GS::uchar_t);
    if (!ResizeHandle(handle, bytes)) return false;
    std::memcpy(**handle, id.c_str(), bytes);
    return true;
}

bool WriteParameterHandle(const ParameterList& list, API_AddParType*** handle) {
    if (!ResizeHandle(handle, list.size() * sizeof(API_AddParType))) return false;
    for (std::size_t i = 0; i < list.size(); ++i) FillParameterRecord(list[i], i, &(**handle)[i]);
    return true;
}

bool WriteParameterRecords(const ParameterRecords& records, API_AddParType*** handle) {
    std::size_t bytes = records.size() * sizeof(API_AddParType);
    if (!ResizeHandle(handle, bytes)) return false;
    if (bytes != 0) std::memcpy(**handle, records.data(), bytes);
    return true;
}

void MergeParameterValues(const ParameterList& changes, ParameterList* list) {
    for (const Parameter& change : changes) {
        Parameter* target = FindParameter(*list, change.name);
        if (target == nullptr) continue;
        if (target->IsText()) {
            target->text = change.text;
        } else {
            target->real = change.real;
        }
    }
}

bool ModelIsVisible(Session& session) {
    API_DatabaseTypeID current = session.views().current();
    return current == APIWind_FloorPlanID || current == APIWind_3DModelID;
}

}  // namespace planhost
