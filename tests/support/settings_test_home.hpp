// A fresh per-user settings folder for one test: XDG_CONFIG_HOME and HOME point into a
// temporary folder while the object lives.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

#include "platform_test_folder.hpp"

class SettingsTestHome {
public:
    SettingsTestHome() : configHome_(Save("XDG_CONFIG_HOME")), home_(Save("HOME")) {
        ::setenv("XDG_CONFIG_HOME", folder_.Path().c_str(), 1);
        ::setenv("HOME", folder_.Path().c_str(), 1);
    }
    ~SettingsTestHome() {
        Restore("XDG_CONFIG_HOME", configHome_);
        Restore("HOME", home_);
    }
    SettingsTestHome(const SettingsTestHome&) = delete;
    SettingsTestHome& operator=(const SettingsTestHome&) = delete;

    const std::string& Root() const { return folder_.Path(); }
    std::string Folder() const { return folder_ / "Orvane/Stakewise"; }
    std::string IniFile() const { return Folder() + "/Stakewise.ini"; }
    std::string DatFile() const { return Folder() + "/Stakewise.dat"; }

private:
    static std::optional<std::string> Save(const char* name) {
        const char* value = std::getenv(name);
        return value == nullptr ? std::nullopt : std::optional<std::string>(value);
    }
    static void Restore(const char* name, const std::optional<std::string>& value) {
        if (value) {
            ::setenv(name, value->c_str(), 1);
        } else {
            ::unsetenv(name);
        }
    }

    TestFolder folder_;
    std::optional<std::string> configHome_;
    std::optional<std::string> home_;
};
