#include "deviation.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kMicrometresPerMetre = 1e6;

double Share(double deviation, double tolerance) {
    if (tolerance > 0.0) return deviation / tolerance;
    return deviation > 0.0 ? std::numeric_limits<double>::infinity() : 0.0;
}

}  // namespace

double ToMicrometres(double metres) {
    return std::nearbyint(metres * kMicrometresPerMetre) + 0.0;
}

Deviation MeasureDeviation(const PointRecord& design, const PointRecord& staked) {
    Deviation deviation;
    deviation.dx = ToMicrometres(staked.x - design.x);
    deviation.dy = ToMicrometres(staked.y - design.y);
    deviation.dz = ToMicrometres(staked.z - design.z);
    deviation.horizontal = std::nearbyint(std::hypot(deviation.dx, deviation.dy));
    return deviation;
}

Verdict Judge(const Deviation& deviation, const Tolerance& tolerance) {
    return {deviation.horizontal <= tolerance.horizontal,
            std::fabs(deviation.dz) <= tolerance.vertical};
}

const char* VerdictText(const Verdict& verdict) {
    if (verdict.Within()) return "within";
    if (!verdict.verticalWithin) return verdict.horizontalWithin ? "outside V" : "outside H+V";
    return "outside H";
}

double Severity(const Deviation& deviation, const Tolerance& tolerance) {
    return std::max(Share(deviation.horizontal, tolerance.horizontal),
                    Share(std::fabs(deviation.dz), tolerance.vertical));
}
