// The lock file that keeps two runs from changing one project at once.
#include "os/lock_file.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "host_model_fixture.hpp"
#include "unprivileged_child.hpp"

namespace planhost_test {
namespace {

using planhost::os::LockFile;

class LockFileTest : public HostModelTest {
protected:
    std::filesystem::path LockPath() const { return folder() / ".plan.db.lock"; }
};

// Each opening of the file is a holder of its own, as another process's would be.
TEST_F(LockFileTest, OneHolderAtATimeUntilItsFileIsClosed) {
    std::error_code error;
    std::unique_ptr<LockFile> first = LockFile::Open(LockPath(), error);
    std::unique_ptr<LockFile> second = LockFile::Open(LockPath(), error);
    ASSERT_TRUE(first && second) << error.message();
    EXPECT_TRUE(first->TryLock());
    EXPECT_FALSE(second->TryLock());
    first.reset();
    EXPECT_TRUE(second->TryLock());
}

TEST_F(LockFileTest, LockFileOfAnotherUserIsHeldAndAMissingFolderIsAnError) {
    std::ofstream(LockPath()) << "";
    std::filesystem::permissions(folder(), std::filesystem::perms::others_exec,
                                 std::filesystem::perm_options::add);
    EXPECT_TRUE(RunUnprivileged([&] {
        std::error_code error;
        const std::unique_ptr<LockFile> lock = LockFile::Open(LockPath(), error);
        return lock && lock->TryLock();
    }));

    std::error_code error;
    EXPECT_EQ(LockFile::Open(folder() / "missing" / ".plan.db.lock", error), nullptr);
    EXPECT_EQ(error, std::errc::no_such_file_or_directory);
}

}  // namespace
}  // namespace planhost_test
