#include "settings/settings_store.hpp"

#include "IO/FileSystem.hpp"
#include "settings/settings_file.hpp"
#include "settings/settings_file_cache.hpp"
#include "settings/settings_record.hpp"

namespace {

// The one record of the add-on; it lives as long as the add-on is loaded.
Settings settings;
// What the last read of "Stakewise.ini" parsed, for reads of the unchanged file.
ParsedSettingsFile lastParsed;

IO::Location SettingsFile(IO::Location folder) {
    folder.AppendToLocal(IO::Name("Stakewise.ini"));
    return folder;
}

GS::UniString Trimmed(GS::UniString text) {
    return text.Trim();
}

std::optional<IO::Location> UserApplicationData() {
    IO::Location folder;
    if (IO::fileSystem.GetSpecialLocation(IO::FileSystem::UserApplicationData, &folder) !=
            NoError ||
        folder.IsEmpty()) {
        return std::nullopt;
    }
    return folder;
}

std::optional<IO::Location> StakewiseFolderIn(IO::Location folder) {
    if (folder.AppendToLocal(IO::Name("Orvane")) != NoError ||
        folder.AppendToLocal(IO::Name("Stakewise")) != NoError) {
        return std::nullopt;
    }
    return folder;
}

// "Stakewise.ini" of the user's settings folder. The folder is asked for at every read, since
// it may move; the path in it is built again only when it did.
const std::optional<IO::Location>& SettingsIniFile() {
    static std::optional<IO::Location> lastUserFolder;
    static std::optional<IO::Location> lastIniFile;
    const std::optional<IO::Location> userFolder = UserApplicationData();
    if (userFolder != lastUserFolder) {
        const std::optional<IO::Location> folder =
            userFolder ? StakewiseFolderIn(*userFolder) : std::nullopt;
        lastIniFile = folder ? std::optional(SettingsFile(*folder)) : std::nullopt;
        lastUserFolder = userFolder;
    }
    return lastIniFile;
}

}  // namespace

std::optional<IO::Location> SettingsFolder() {
    const std::optional<IO::Location> userFolder = UserApplicationData();
    return userFolder ? StakewiseFolderIn(*userFolder) : std::nullopt;
}

void ReadSettings() {
    settings = DefaultSettings();
    const std::optional<IO::Location>& iniFile = SettingsIniFile();
    if (!iniFile) return;
    const IO::Location& file = *iniFile;
    // The stamp is taken before the read: a change during the read then shows as a new stamp
    // at the next read.
    IO::FileStamp stamp;
    const bool stamped = IO::fileSystem.GetFileStamp(file, &stamp) == NoError;
    if (const Settings* parsed = stamped ? lastParsed.Find(file, stamp) : nullptr) {
        settings = *parsed;
        return;
    }
    lastParsed.Forget();
    std::vector<GS::UniString> lines;
    const SettingsLinesSource source = ReadLines(file, &lines);
    ApplySettingsLines(settings, lines);
    // The fallback is read afresh every time.
    if (source == SettingsLinesSource::IniFile && stamped)
        lastParsed.Keep(file, stamp, settings, std::chrono::system_clock::now());
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
