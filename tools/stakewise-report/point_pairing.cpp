#include "point_pairing.hpp"

#include <algorithm>
#include <utility>

namespace {

// A side's numbers with their indices, by number and, for one number, in file order. Sorting
// these small keys keeps the pairing of a million points to a fraction of a second.
using NumberKey = std::pair<Int32, std::size_t>;

std::vector<NumberKey> SortedKeys(const std::vector<NumberedPoint>& points) {
    std::vector<NumberKey> keys;
    keys.reserve(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) keys.emplace_back(points[i].point.number, i);
    std::sort(keys.begin(), keys.end());
    return keys;
}

// The end of the run of keys from `at` that carry `number`.
std::size_t RunEnd(const std::vector<NumberKey>& keys, std::size_t at, Int32 number) {
    while (at < keys.size() && keys[at].first == number) ++at;
    return at;
}

LineIssues LinesOf(const std::vector<NumberedPoint>& points, const std::vector<NumberKey>& keys,
                   std::size_t begin, std::size_t end) {
    LineIssues lines;
    for (std::size_t i = begin; i < end; ++i) lines.Add(points[keys[i].second].line);
    return lines;
}

}  // namespace

Pairing PairByNumber(const std::vector<NumberedPoint>& design,
                     const std::vector<NumberedPoint>& staked) {
    const std::vector<NumberKey> designKeys = SortedKeys(design);
    const std::vector<NumberKey> stakedKeys = SortedKeys(staked);
    Pairing pairing;
    std::size_t d = 0;
    std::size_t s = 0;
    while (d < designKeys.size() || s < stakedKeys.size()) {
        const Int32 number = d == designKeys.size() ? stakedKeys[s].first
                             : s == stakedKeys.size()
                                 ? designKeys[d].first
                                 : std::min(designKeys[d].first, stakedKeys[s].first);
        const std::size_t designEnd = RunEnd(designKeys, d, number);
        const std::size_t stakedEnd = RunEnd(stakedKeys, s, number);
        if (designEnd - d > 1 || stakedEnd - s > 1) {
            pairing.duplicates.push_back({number, LinesOf(design, designKeys, d, designEnd),
                                          LinesOf(staked, stakedKeys, s, stakedEnd)});
        } else if (designEnd > d && stakedEnd > s) {
            pairing.pairs.push_back({designKeys[d].second, stakedKeys[s].second});
        } else if (designEnd > d) {
            pairing.notStaked.push_back(designKeys[d].second);
        } else {
            pairing.withoutDesign.push_back(stakedKeys[s].second);
        }
        d = designEnd;
        s = stakedEnd;
    }
    std::sort(pairing.pairs.begin(), pairing.pairs.end(),
              [](const PointPair& a, const PointPair& b) { return a.design < b.design; });
    std::sort(pairing.notStaked.begin(), pairing.notStaked.end());
    std::sort(pairing.withoutDesign.begin(), pairing.withoutDesign.end());
    return pairing;
}
