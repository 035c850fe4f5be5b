// Where a project's lock file lies: one lock for every name of the same project.
#include "cli/project_opening.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "host_model_fixture.hpp"

namespace planhost_test {
namespace {

using planhost::ProjectLockPath;

class ProjectLockPathTest : public HostModelTest {};

TEST_F(ProjectLockPathTest, EveryNameOfTheProjectLeadsToOneLockBesideTheFile) {
    std::filesystem::create_directories(folder() / "real");
    std::filesystem::create_directory_symlink(folder() / "real", folder() / "linked");
    const std::filesystem::path lock =
        std::filesystem::canonical(folder()) / "real" / ".plan.db.lock";
    EXPECT_EQ(ProjectLockPath(folder() / "real" / "plan.db"), lock);
    EXPECT_EQ(ProjectLockPath(folder() / "linked" / "plan.db"), lock);
    EXPECT_EQ(ProjectLockPath(folder() / "real" / ".." / "real" / "plan.db"), lock);
    EXPECT_NE(ProjectLockPath(folder() / "real" / "other.db"), lock);
}

}  // namespace
}  // namespace planhost_test
