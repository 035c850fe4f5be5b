// A fresh per-user settings folder for one test: XDG_CONFIG_HOME and HOME point into a
// temporary folder while the object lives.
#pragma once

#include <string>

#include "environment_variable.hpp"
#include "platform_test_folder.hpp"

class SettingsTestHome {
public:
    SettingsTestHome() {
        configHome_.Set(folder_.Path().c_str());
        home_.Set(folder_.Path().c_str());
    }

    std::string Folder() const { return folder_ / "Orvane/Stakewise"; }
    std::string IniFile() const { return Folder() + "/Stakewise.ini"; }
    std::string DatFile() const { return Folder() + "/Stakewise.dat"; }

private:
    TestFolder folder_;
    EnvironmentVariable configHome_{"XDG_CONFIG_HOME"};
    EnvironmentVariable home_{"HOME"};
};
