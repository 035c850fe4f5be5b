// Interned parameter lists: equal lists share one copy, each with an id under which the project
// file keeps it.
#pragma once

#include <unordered_map>
#include <vector>

#include "model/parameter.hpp"

namespace planhost {

class ParameterPool {
public:
    // The shared copy of list; a list not seen before gets the next id.
    SharedParameters Share(ParameterList list);
    // A list read from the project file under that id.
    void AddStored(std::int64_t id, ParameterList list);
    SharedParameters FindById(std::int64_t id) const;  // null when unknown
    // The lists shared since the last call, which the project file does not hold yet.
    std::vector<SharedParameters> TakeNew();
    void Requeue(SharedParameters list);  // a list whose storing failed is new again

private:
    SharedParameters Insert(std::int64_t id, ParameterList list);

    std::unordered_multimap<std::size_t, SharedParameters> byHash_;
    std::unordered_map<std::int64_t, SharedParameters> byId_;
    std::vector<SharedParameters> new_;
    std::int64_t lastId_ = 0;
};

}  // namespace planhost
