// FloorPlanGuard: makes the floor plan current for the stretch of a command that touches the
// model, then brings back the database and window that were in front. It cannot fail: results
// of the host calls are not looked at. A local object of one command; not copied.
#pragma once

#include "api/api_records.hpp"

class FloorPlanGuard {
public:
    FloorPlanGuard();
    ~FloorPlanGuard();
    FloorPlanGuard(const FloorPlanGuard&) = delete;
    FloorPlanGuard& operator=(const FloorPlanGuard&) = delete;

    void Enter();  // does nothing while entered
    void Leave();  // does nothing while not entered

private:
    API_DatabaseInfo saved_;
    bool active_ = false;
};
