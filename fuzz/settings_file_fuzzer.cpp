// The settings reader on arbitrary bytes, as "Stakewise.ini" and as its scrambled fallback
// "Stakewise.dat". Besides not crashing: both readings agree when the bytes hold no CR (the one
// byte that the two formats treat differently), and what is read survives a save unchanged
// when every line fits the writer's line length and holds only characters of the code page.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz_files.hpp"
#include "settings/settings_file.hpp"
#include "settings/settings_record.hpp"
#include "settings/settings_scrambling.hpp"

namespace {

// A written line, CR LF included, is at most this long; longer values are cut.
constexpr std::size_t kMaxLineBytes = 1999;

void Require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

IO::Location ScratchLocation(const std::string& name) {
    return IO::Location(GS::UniString(ScratchFolder() + "/" + name, GS::CC_UTF8));
}

Settings Read(const IO::Location& iniFile) {
    Settings settings = DefaultSettings();
    std::vector<GS::UniString> lines;
    ReadLines(iniFile, &lines);
    ApplySettingsLines(settings, lines);
    return settings;
}

// Lines that a save writes back byte for byte: short enough not to be cut.
bool SavedUnchanged(const std::vector<GS::UniString>& lines) {
    for (const GS::UniString& line : lines) {
        if (line.ToCStr(GS::CC_Default).size() + 2 > kMaxLineBytes) return false;
    }
    return true;
}

// A saved empty value ("Minimized=") is a line of one piece, which reading passes over: the
// field reads back as its default.
Settings AfterSave(Settings settings) {
    if (settings.Minimized.IsEmpty()) settings.Minimized = DefaultSettings().Minimized;
    return settings;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const IO::Location iniFile = ScratchLocation("Stakewise.ini");
    static const std::string iniPath = iniFile.ToNativePath();
    static const std::string datPath = ScratchLocation("Stakewise.dat").ToNativePath();

    WriteScratchFile(iniPath, data, size);
    const Settings plain = Read(iniFile);

    ::unlink(iniPath.c_str());
    std::string scrambled(reinterpret_cast<const char*>(data), size);
    ScrambleSettingsBytes(scrambled);
    WriteScratchFile(datPath, reinterpret_cast<const std::uint8_t*>(scrambled.data()), size);
    const Settings fallback = Read(iniFile);
    ::unlink(datPath.c_str());

    const bool holdsCR = std::string_view(reinterpret_cast<const char*>(data), size).find('\r') !=
                         std::string_view::npos;
    Require(holdsCR || plain == fallback, "plain and scrambled readings differ");

    const std::vector<GS::UniString> lines = SettingsLines(plain);
    Require(WriteTextLines(iniFile, lines), "write");
    if (SavedUnchanged(lines))
        Require(Read(iniFile) == AfterSave(plain), "a save changed the settings");
    ::unlink(iniPath.c_str());
    return 0;
}
