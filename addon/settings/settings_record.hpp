// The add-on's six settings as key=value lines of text.
#pragma once

#include <vector>

#include "GS/UniString.hpp"

// Numbers stay text here; their users convert them with AtoI.
struct Settings {
    GS::UniString Username;
    GS::UniString Minimized;
    GS::UniString ProjectUnits;
    GS::UniString SymbolSize;
    GS::UniString StartNumber;
    GS::UniString Library;

    friend bool operator==(const Settings&, const Settings&) = default;
};

// What stands when the file holds nothing: all empty, Minimized "0".
Settings DefaultSettings();

// Takes the value of every line KEY=VALUE whose key is one of the six (exact, case-sensitive);
// the value is trimmed, and a later line of the same key wins. Other lines are passed over.
void ApplySettingsLines(Settings& settings, const std::vector<GS::UniString>& lines);

// The six lines of the file, in their fixed order.
std::vector<GS::UniString> SettingsLines(const Settings& settings);
