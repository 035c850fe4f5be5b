#include "views.hpp"

#include <array>

namespace planhost {

namespace {

struct ViewKind {
    API_DatabaseTypeID type;
    std::string_view optionName;
    std::u16string_view title;
};

constexpr std::array<ViewKind, 4> kViews = {{
    {APIWind_FloorPlanID, "floor-plan", u"Floor Plan"},
    {APIWind_SectionID, "section", u"Section"},
    {APIWind_3DModelID, "3d", u"3D Window"},
    {APIWind_LayoutID, "layout", u"Layout"},
}};

const ViewKind* Find(API_DatabaseTypeID type) {
    for (const ViewKind& view : kViews)
        if (view.type == type) return &view;
    return nullptr;
}

}  // namespace

Views::Views(API_DatabaseTypeID start)
    : current_(IsKnown(start) ? start : APIWind_FloorPlanID), front_(current_) {}

void Views::GetCurrent(API_DatabaseInfo* info) const {
    *info = API_DatabaseInfo{};
    info->typeID = current_;
    // Each database has one stable identifier: its type in the first field.
    info->databaseUnId.time_low = UInt32(current_);
    const std::u16string_view title = Find(current_)->title;
    title.copy(info->name, std::size(info->name) - 1);
}

GSErrCode Views::ChangeCurrent(API_DatabaseTypeID type) {
    if (!IsKnown(type)) return APIERR_BADDATABASE;
    current_ = type;
    return NoError;
}

GSErrCode Views::BringToFront(API_DatabaseTypeID type) {
    if (!IsKnown(type)) return APIERR_BADWINDOW;
    front_ = type;
    return NoError;
}

bool Views::IsKnown(API_DatabaseTypeID type) {
    return Find(type) != nullptr;
}

std::optional<API_DatabaseTypeID> Views::FromName(std::string_view name) {
    for (const ViewKind& view : kViews)
        if (view.optionName == name) return view.type;
    return std::nullopt;
}

}  // namespace planhost
