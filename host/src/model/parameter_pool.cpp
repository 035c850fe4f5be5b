#include "model/parameter_pool.hpp"

#include <algorithm>
#include <cstring>
#include <functional>
#include <string_view>
#include <utility>

#include "model/parameter_records.hpp"

namespace planhost {

namespace {

std::size_t Mix(std::size_t seed, std::size_t value) {
    return seed ^ (value + 0x9E3779B97F4A7C15ull + (seed << 6) + (seed >> 2));
}

std::size_t HashOf(const ParameterList& list) {
    std::size_t hash = list.size();
    for (const Parameter& parameter : list) {
        UInt64 bits;
        std::memcpy(&bits, &parameter.real, sizeof bits);
        hash = Mix(hash, std::hash<std::string>{}(parameter.name));
        hash = Mix(hash, std::size_t(parameter.type));
        hash = Mix(hash, std::size_t(bits));
        hash = Mix(hash, std::hash<std::u16string>{}(parameter.text));
    }
    return hash;
}

}  // namespace

SharedParameters ParameterPool::Share(ParameterList list) {
    std::size_t hash = HashOf(list);
    auto [first, last] = byHash_.equal_range(hash);
    for (auto it = first; it != last; ++it) {
        if (it->second->list == list) return it->second;
    }
    SharedParameters shared = Insert(lastId_ + 1, std::move(list));
    new_.push_back(shared);
    return shared;
}

void ParameterPool::AddStored(std::int64_t id, ParameterList list) {
    Insert(id, std::move(list));
}

SharedParameters ParameterPool::Insert(std::int64_t id, ParameterList list) {
    std::size_t hash = HashOf(list);
    ParameterRecords records = MakeParameterRecords(list);
    auto shared = std::make_shared<SharedParameterList>(
        SharedParameterList{id, std::move(list), std::move(records)});
    byHash_.emplace(hash, shared);
    byId_.emplace(id, shared);
    lastId_ = std::max(lastId_, id);
    return shared;
}

SharedParameters ParameterPool::FindById(std::int64_t id) const {
    auto it = byId_.find(id);
    return it == byId_.end() ? nullptr : it->second;
}

std::vector<SharedParameters> ParameterPool::TakeNew() {
    return std::exchange(new_, {});
}

void ParameterPool::Requeue(SharedParameters list) {
    new_.push_back(std::move(list));
}

}  // namespace planhost
