// A host model on a project file of its own in a fresh temporary folder, with the shipped
// default library (next to the built planhost), for tests that use the model directly.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "model/model.hpp"
#include "platform_test_folder.hpp"

namespace planhost_test {

class HostModelTest : public ::testing::Test {
protected:
    ~HostModelTest() override { std::filesystem::remove_all(folder_); }

    static std::string ShippedLibrary() {
        return (std::filesystem::path(PLANHOST_PATH).parent_path() / "library").string();
    }

    planhost::ModelOptions Options() const {
        planhost::ModelOptions options;
        options.projectPath = (folder_ / "plan.db").string();
        options.libraryFolders = {ShippedLibrary()};
        return options;
    }

    std::unique_ptr<planhost::Model> Open() const {
        return std::make_unique<planhost::Model>(Options());
    }

    // A measure point of the shipped Stakemark part, not yet added.
    static planhost::ObjectElement Stakemark(const planhost::Model& model, const char16_t* id,
                                             double x, double y) {
        planhost::ObjectElement element;
        element.libInd = model.library().FindByFileName(u"Stakemark.gsm")->index;
        element.x = x;
        element.y = y;
        element.hasMemo = true;
        element.id = id;
        return element;
    }

    const std::filesystem::path& folder() const { return folder_; }

private:
    std::filesystem::path folder_ = MakeTemporaryFolder("planhost-model-");
};

}  // namespace planhost_test
