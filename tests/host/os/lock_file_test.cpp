// The lock file that keeps two runs from changing one project at once.
#include "os/lock_file.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "host_model_fixture.hpp"
#include "test_system.hpp"

namespace planhost_test {
namespace {

using planhost::os::LockFile;

using LockFileTest = HostModelTest;

// Each opening of the file is a holder of its own, as another process's would be; the file, once
// made, is held by another user as well.
TEST_F(LockFileTest, OneHolderAtATimeOfAnyUserAndAMissingFolderIsAnError) {
    const std::filesystem::path path = folder() / ".plan.db.lock";
    std::error_code error;
    std::unique_ptr<LockFile> first = LockFile::Open(path, error);
    std::unique_ptr<LockFile> second = LockFile::Open(path, error);
    ASSERT_TRUE(first && second) << error.message();
    EXPECT_TRUE(first->TryLock());
    EXPECT_FALSE(second->TryLock());
    first.reset();
    EXPECT_TRUE(second->TryLock());
    second.reset();

    std::filesystem::permissions(folder(), std::filesystem::perms::others_exec,
                                 std::filesystem::perm_options::add);
    EXPECT_TRUE(test_system::RunUnprivileged([&] {
        const std::unique_ptr<LockFile> lock = LockFile::Open(path, error);
        return lock && lock->TryLock();
    }));

    EXPECT_EQ(LockFile::Open(folder() / "missing" / ".plan.db.lock", error), nullptr);
    EXPECT_EQ(error, std::errc::no_such_file_or_directory);
}

}  // namespace
}  // namespace planhost_test
