#include <cstring>
#include <limits>
#include <optional>
#include <string>

#include "frame/commands.hpp"
#include "frame/floor_plan_guard.hpp"
#include "frame/host_api.hpp"
#include "frame/reports.hpp"
#include "frame/zero_filled.hpp"
#include "points/place_point.hpp"
#include "settings/number_text.hpp"
#include "settings/settings_store.hpp"
#include "settings/text_conversions.hpp"

namespace {

constexpr Int64 kLastPointNumber = std::numeric_limits<Int32>::max();
constexpr double kInsertedPointElevation = 0.01;

// Counted in 64 bits, so that the number after the last point number is stored as it is
// instead of wrapping round to the lowest.
Int64 ReadStartNumber() {
    ReadSettings();
    return AtoI(ToNarrowText(GetStartNumber()));
}

std::optional<API_Coord> AskInsertionPoint() {
    auto input = ZeroFilled<API_GetPointType>();
    std::strcpy(input.prompt, "Enter insertion point.");
    input.changeFilter = false;
    input.changePlane = false;
    if (ACAPI_Interface(APIIo_GetPointID, &input) != NoError) return std::nullopt;
    return API_Coord{input.pos.x, input.pos.y};
}

// Without the stored number the next run would number its points from the old start again.
void StoreStartNumber(Int64 next) {
    const std::string text = std::to_string(next);
    SetStartNumber(FromNarrowText(text));
    if (!WriteSettings())
        ShowAlert(
            "The next start number %s could not be stored in the settings file: the next "
            "Insert points would number its points from the old start number again.",
            text.c_str());
}

}  // namespace

void InsertPoints() {
    FloorPlanGuard guard;
    Int64 number = ReadStartNumber();
    while (number <= kLastPointNumber) {
        const std::optional<API_Coord> click = AskInsertionPoint();
        if (!click) break;
        guard.Enter();
        PlacePoint(Int32(number), click->x, click->y, kInsertedPointElevation, "M");
        ++number;
        guard.Leave();
    }
    if (number > kLastPointNumber)
        ShowAlert(
            "The point numbers are used up: %lld is the highest. Choose a lower start number "
            "in Settings to insert more points.",
            static_cast<long long>(kLastPointNumber));
    StoreStartNumber(number);
}
