// Loading and unloading the add-on many times in one process, as a host that opens and closes
// projects all day does: outstanding handles and open files stay where they were, and the
// resident memory does not grow with the number of loads.
#include "addon.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "GS/HandleCount.hpp"
#include "faults.hpp"
#include "model/model.hpp"
#include "session.hpp"
#include "test_system.hpp"
#include "trace.hpp"
#include "views.hpp"

namespace {

using test_system::OpenFileCount;
using test_system::ResidentKiB;

int Cycles() {
    const char* text = std::getenv("LOAD_UNLOAD_CYCLES");
    return text == nullptr ? 1000 : std::atoi(text);
}

// One load and unload in a session of its own, with no project: the add-on's handshake,
// resources and menus, then FreeData and unloading the module.
void LoadAndUnload(const std::string& module) {
    planhost::Session session(nullptr, std::make_unique<planhost::Views>(),
                              std::make_unique<planhost::Faults>(),
                              std::make_unique<planhost::Trace>());
    const std::optional<std::string> failure =
        planhost::LoadAddOn(session, planhost::AddOnOptions{module});
    ASSERT_FALSE(failure.has_value()) << *failure;
    planhost::UnloadAddOn(session);
}

TEST(LoadUnload, ThousandCyclesKeepHandlesFilesAndMemoryFlat) {
    const std::string module = planhost::DefaultAddOnPath();
    // The first loads settle what the process keeps once (the loader's caches, allocator pools).
    for (int i = 0; i < 20; ++i) LoadAndUnload(module);
    const Int64 handlesBefore = BMOutstandingHandles();
    const long filesBefore = OpenFileCount();
    const long residentBefore = ResidentKiB();

    const int cycles = Cycles();
    for (int i = 0; i < cycles && !HasFatalFailure(); ++i) LoadAndUnload(module);

    const long residentAfter = ResidentKiB();
    RecordProperty("resident_kib_before", std::to_string(residentBefore));
    RecordProperty("resident_kib_after", std::to_string(residentAfter));
    EXPECT_EQ(BMOutstandingHandles(), handlesBefore);
    EXPECT_EQ(OpenFileCount(), filesBefore);
#ifndef __SANITIZE_ADDRESS__
    // A leak of even 8 KiB a load would show as 8 MB here; allocator noise stays far below.
    // (AddressSanitizer keeps the shadow of every module mapping, so it grows there anyway.)
    EXPECT_LT(residentAfter - residentBefore, 8 * 1024);
#endif
}

}  // namespace
