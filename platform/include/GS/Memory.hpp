// The host's memory manager: handles (a pointer to a movable block) and plain blocks.
// Every block is counted while it is outstanding (GS/HandleCount.hpp, for the host), so that
// a host can check that a command released everything it was handed. Ownership: whoever holds the
// handle frees it with BMKillHandle; the kill functions accept null and set the caller's variable
// to null. Not thread-safe: the user-interface thread only.
#pragma once

#include "api/api_base.hpp"

using GSHandle = char**;
using GSPtr = char*;
using GSSize = Int64;

// A new handle of size bytes, zero-filled; null when out of memory or size < 0.
GSHandle BMAllocateHandle(GSSize size, Int32 flags = 0, Int32 reserved = 0);
void BMKillHandle(GSHandle* handle);
GSSize BMGetHandleSize(GSHandle handle);
// Grows or shrinks the block, keeping its first bytes; new bytes are zero. Null on failure
// (the old block then stays valid).
GSHandle BMReallocHandle(GSHandle handle, GSSize newSize, Int32 flags = 0, Int32 reserved = 0);

GSPtr BMAllocatePtr(GSSize size, Int32 flags = 0, Int32 reserved = 0);
void BMKillPtr(GSPtr* ptr);

// Typed helpers for handles of records.
template <typename T>
T** BMAllocateTypedHandle(Int64 count) {
    return reinterpret_cast<T**>(BMAllocateHandle(GSSize(count) * GSSize(sizeof(T))));
}
template <typename T>
void BMKillTypedHandle(T*** handle) {
    BMKillHandle(reinterpret_cast<GSHandle*>(handle));
}
template <typename T>
Int64 BMHandleCount(T** handle) {
    return handle == nullptr
               ? 0
               : BMGetHandleSize(reinterpret_cast<GSHandle>(handle)) / GSSize(sizeof(T));
}
