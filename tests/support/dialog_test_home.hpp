// For tests of the dialogs: the add-on's resource module opened as on library load, and a fresh
// settings home ($XDG_CONFIG_HOME pointed to a temporary folder) for each test.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "frame/resource_module.hpp"
#include "platform_test_folder.hpp"

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* old = std::getenv("XDG_CONFIG_HOME")) oldConfigHome_ = old;
        setenv("XDG_CONFIG_HOME", home_.Path().c_str(), 1);
        frame::OnLibraryLoad("Stakewise.so");
    }
    void TearDown() override {
        frame::OnLibraryUnload();
        if (oldConfigHome_) {
            setenv("XDG_CONFIG_HOME", oldConfigHome_->c_str(), 1);
        } else {
            unsetenv("XDG_CONFIG_HOME");
        }
    }

    std::string SettingsPath() const { return home_ / "Orvane/Stakewise/Stakewise.ini"; }
    bool SettingsFileExists() const { return std::filesystem::exists(SettingsPath()); }
    std::string SettingsFile() const { return ReadWholeFile(SettingsPath()); }
    void WriteSettingsFile(const std::string& content) const {
        std::filesystem::create_directories(home_ / "Orvane/Stakewise");
        WriteWholeFile(SettingsPath(), content);
    }

private:
    TestFolder home_;
    std::optional<std::string> oldConfigHome_;
};
