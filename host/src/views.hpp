// The host's databases and windows: floor plan (1), section (2), 3D window (3), layout (4).
// One database is current (where element operations work) and one window is in front (where
// the user clicks). The two change independently: 'CDAT' changes the current database,
// 'CHWD' the front window.
#pragma once

#include <optional>
#include <string_view>

#include "api/api_records.hpp"

namespace planhost {

class Views {
public:
    // Both the current database and the front window start as that one (a known type).
    explicit Views(API_DatabaseTypeID start = APIWind_FloorPlanID);

    API_DatabaseTypeID current() const { return current_; }
    API_DatabaseTypeID front() const { return front_; }

    // 'GDAT': the record of the current database.
    void GetCurrent(API_DatabaseInfo* info) const;
    // 'CDAT': APIERR_BADDATABASE, and no change, for an unknown type.
    GSErrCode ChangeCurrent(API_DatabaseTypeID type);
    // 'CHWD': APIERR_BADWINDOW, and no change, for an unknown type.
    GSErrCode BringToFront(API_DatabaseTypeID type);

    static bool IsKnown(API_DatabaseTypeID type);
    // "floor-plan", "section", "3d", "layout" as the command line names them.
    static std::optional<API_DatabaseTypeID> FromName(std::string_view name);

private:
    API_DatabaseTypeID current_;
    API_DatabaseTypeID front_;
};

}  // namespace planhost
