#include "frame/floor_plan_guard.hpp"

#include <cstring>

#include "frame/host_api.hpp"

FloorPlanGuard::FloorPlanGuard() {
    std::memset(&saved_, 0, sizeof(saved_));
}

FloorPlanGuard::~FloorPlanGuard() {
    Leave();
}

void FloorPlanGuard::Enter() {
    if (active_) return;
    ACAPI_Database(APIDb_GetCurrentDatabaseID, &saved_);
    if (saved_.typeID != APIWind_FloorPlanID) {
        API_DatabaseInfo floorPlan;
        std::memset(&floorPlan, 0, sizeof(floorPlan));
        floorPlan.typeID = APIWind_FloorPlanID;
        ACAPI_Database(APIDb_ChangeCurrentDatabaseID, &floorPlan);
    }
    active_ = true;
}

void FloorPlanGuard::Leave() {
    if (!active_) return;
    ACAPI_Database(APIDb_ChangeCurrentDatabaseID, &saved_);
    API_WindowInfo window;
    std::memset(&window, 0, sizeof(window));
    window.typeID = saved_.typeID;
    ACAPI_Automate(APIDo_ChangeWindowID, &window);
    active_ = false;
}
