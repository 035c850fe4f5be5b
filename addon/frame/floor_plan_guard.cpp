#include "frame/floor_plan_guard.hpp"

#include "frame/host_api.hpp"
#include "frame/zero_filled.hpp"

FloorPlanGuard::FloorPlanGuard() : saved_(ZeroFilled<API_DatabaseInfo>()) {}

FloorPlanGuard::~FloorPlanGuard() {
    Leave();
}

void FloorPlanGuard::Enter() {
    if (active_) return;
    ACAPI_Database(APIDb_GetCurrentDatabaseID, &saved_);
    if (saved_.typeID != APIWind_FloorPlanID) {
        auto floorPlan = ZeroFilled<API_DatabaseInfo>();
        floorPlan.typeID = APIWind_FloorPlanID;
        ACAPI_Database(APIDb_ChangeCurrentDatabaseID, &floorPlan);
    }
    active_ = true;
}

void FloorPlanGuard::Leave() {
    if (!active_) return;
    ACAPI_Database(APIDb_ChangeCurrentDatabaseID, &saved_);
    auto window = ZeroFilled<API_WindowInfo>();
    window.typeID = saved_.typeID;
    ACAPI_Automate(APIDo_ChangeWindowID, &window);
    active_ = false;
}
