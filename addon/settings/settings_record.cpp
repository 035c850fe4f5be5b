#include "settings/settings_record.hpp"

#include <string_view>

#include "settings/split_text.hpp"

namespace {

struct SettingsKey {
    std::u16string_view name;
    GS::UniString Settings::*field;
};

// In the order in which the file holds them.
constexpr SettingsKey SettingsKeys[] = {
    {u"Username", &Settings::Username},         {u"Minimized", &Settings::Minimized},
    {u"ProjectUnits", &Settings::ProjectUnits}, {u"SymbolSize", &Settings::SymbolSize},
    {u"StartNumber", &Settings::StartNumber},   {u"Library", &Settings::Library},
};

}  // namespace

Settings DefaultSettings() {
    Settings settings;
    settings.Minimized = GS::UniString("0");
    return settings;
}

void ApplySettingsLines(Settings& settings, const std::vector<GS::UniString>& lines) {
    for (const GS::UniString& line : lines) {
        std::vector<GS::UniString> pieces = SplitText(line, u'=');
        if (pieces.size() != 2) continue;
        for (const SettingsKey& key : SettingsKeys) {
            if (pieces[0].Text() == key.name) settings.*key.field = pieces[1].Trim();
        }
    }
}

std::vector<GS::UniString> SettingsLines(const Settings& settings) {
    std::vector<GS::UniString> lines;
    for (const SettingsKey& key : SettingsKeys) {
        lines.push_back(GS::UniString(std::u16string(key.name) + u"=") + settings.*key.field);
    }
    return lines;
}
