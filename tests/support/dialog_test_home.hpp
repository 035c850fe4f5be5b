// For tests of the dialogs: the add-on's resource module opened as on library load, and a fresh
// settings home ($XDG_CONFIG_HOME pointed to a temporary folder) for each test.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "environment_variable.hpp"
#include "frame/resource_module.hpp"
#include "platform_test_folder.hpp"

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        configHome_.Set(home_.Path().c_str());
        frame::OnLibraryLoad("Stakewise.so");
    }
    void TearDown() override { frame::OnLibraryUnload(); }

    std::string SettingsPath() const { return home_ / "Orvane/Stakewise/Stakewise.ini"; }
    bool SettingsFileExists() const {
        return std::filesystem::exists(IO::PathFromUtf8(SettingsPath()));
    }
    std::string SettingsFile() const { return ReadWholeFile(SettingsPath()); }
    void WriteSettingsFile(const std::string& content) const {
        std::filesystem::create_directories(IO::PathFromUtf8(home_ / "Orvane/Stakewise"));
        WriteWholeFile(SettingsPath(), content);
    }

private:
    TestFolder home_;
    EnvironmentVariable configHome_{"XDG_CONFIG_HOME"};
};
