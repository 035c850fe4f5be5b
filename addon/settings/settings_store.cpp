#include "settings/settings_store.hpp"

#include "IO/FileSystem.hpp"
#include "settings/settings_file.hpp"
#include "settings/settings_record.hpp"

namespace {

// The one record of the add-on; it lives as long as the add-on is loaded.
Settings settings;

IO::Location SettingsFile(IO::Location folder) {
    folder.AppendToLocal(IO::Name("Stakewise.ini"));
    return folder;
}

GS::UniString Trimmed(GS::UniString text) {
    return text.Trim();
}

}  // namespace

std::optional<IO::Location> SettingsFolder() {
    IO::Location folder;
    if (IO::fileSystem.GetSpecialLocation(IO::FileSystem::UserApplicationData, &folder) !=
            NoError ||
        folder.IsEmpty() || folder.AppendToLocal(IO::Name("Orvane")) != NoError ||
        folder.AppendToLocal(IO::Name("Stakewise")) != NoError) {
        return std::nullopt;
    }
    return folder;
}

void ReadSettings() {
    settings = DefaultSettings();
    const std::optional<IO::Location> folder = SettingsFolder();
    std::vector<GS::UniString> lines;
    if (folder && ReadLines(SettingsFile(*folder), &lines)) ApplySettingsLines(settings, lines);
}

bool WriteSettings() {
    const std::optional<IO::Location> folder = SettingsFolder();
    if (!folder) return false;
    IO::fileSystem.CreateFolderTree(*folder);
    return WriteTextLines(SettingsFile(*folder), SettingsLines(settings));
}

GS::UniString GetSymbolSize() {
    return settings.SymbolSize;
}
GS::UniString GetStartNumber() {
    return settings.StartNumber;
}
GS::UniString GetLibrary() {
    return settings.Library;
}

void SetSymbolSize(const GS::UniString& size) {
    settings.SymbolSize = Trimmed(size);
}
void SetStartNumber(const GS::UniString& number) {
    settings.StartNumber = Trimmed(number);
}
void SetLibrary(const GS::UniString& library) {
    settings.Library = library;
}
