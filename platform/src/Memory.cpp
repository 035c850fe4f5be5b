#include "GS/Memory.hpp"

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unordered_set>

#include "GS/HandleCount.hpp"

namespace {

// A handle points at the first member of its block record; the block itself can move.
struct HandleBlock {
    char* data;
    GSSize size;
};

// The live handles and blocks, so that the count is exact and a stale or foreign pointer
// handed to a kill function is ignored instead of freeing something twice.
struct Registry {
    std::mutex mutex;
    std::unordered_set<const void*> handles;
    std::unordered_set<const void*> blocks;
};

Registry& TheRegistry() {
    static Registry* registry = new Registry;  // outlives every static destructor that frees
    return *registry;
}

using BlockSet = std::unordered_set<const void*> Registry::*;

void Track(BlockSet set, const void* block) {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    (registry.*set).insert(block);
}

// True when block was live; it is not from then on.
bool Untrack(BlockSet set, const void* block) {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    return (registry.*set).erase(block) == 1;
}

bool IsLiveHandle(GSHandle handle) {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    return registry.handles.contains(handle);
}

HandleBlock* BlockOf(GSHandle handle) {
    return reinterpret_cast<HandleBlock*>(handle);
}

// calloc of zero bytes may return null; every block gets at least one byte.
char* AllocateZeroed(GSSize size) {
    return static_cast<char*>(std::calloc(size > 0 ? size : 1, 1));
}

}  // namespace

GSHandle BMAllocateHandle(GSSize size, Int32 /*flags*/, Int32 /*reserved*/) {
    if (size < 0) return nullptr;
    auto* block = static_cast<HandleBlock*>(std::malloc(sizeof(HandleBlock)));
    if (block == nullptr) return nullptr;
    block->data = AllocateZeroed(size);
    if (block->data == nullptr) {
        std::free(block);
        return nullptr;
    }
    block->size = size;
    GSHandle handle = &block->data;
    Track(&Registry::handles, handle);
    return handle;
}

void BMKillHandle(GSHandle* handle) {
    if (handle == nullptr || *handle == nullptr) return;
    if (Untrack(&Registry::handles, *handle)) {
        std::free(BlockOf(*handle)->data);
        std::free(BlockOf(*handle));
    }
    *handle = nullptr;
}

GSSize BMGetHandleSize(GSHandle handle) {
    return IsLiveHandle(handle) ? BlockOf(handle)->size : 0;
}

GSHandle BMReallocHandle(GSHandle handle, GSSize newSize, Int32 /*flags*/, Int32 /*reserved*/) {
    if (newSize < 0 || !IsLiveHandle(handle)) return nullptr;
    HandleBlock* block = BlockOf(handle);
    auto* data = static_cast<char*>(std::realloc(block->data, newSize > 0 ? newSize : 1));
    if (data == nullptr) return nullptr;
    if (newSize > block->size) std::memset(data + block->size, 0, newSize - block->size);
    block->data = data;
    block->size = newSize;
    return handle;
}

GSPtr BMAllocatePtr(GSSize size, Int32 /*flags*/, Int32 /*reserved*/) {
    if (size < 0) return nullptr;
    GSPtr ptr = AllocateZeroed(size);
    if (ptr != nullptr) Track(&Registry::blocks, ptr);
    return ptr;
}

void BMKillPtr(GSPtr* ptr) {
    if (ptr == nullptr || *ptr == nullptr) return;
    if (Untrack(&Registry::blocks, *ptr)) std::free(*ptr);
    *ptr = nullptr;
}

Int64 BMOutstandingHandles() {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    return Int64(registry.handles.size() + registry.blocks.size());
}
