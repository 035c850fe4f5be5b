#include "settings/settings_file.hpp"

#include <string>
#include <string_view>

#include "IO/File.hpp"
#include "IO/FileSystem.hpp"
#include "settings/settings_scrambling.hpp"
#include "settings/text_line_reader.hpp"

namespace {

// A written line, CR LF included, is at most this long.
constexpr std::size_t MaxLineBytes = 1999;
// Six lines of at most MaxLineBytes; anything much larger is no settings file.
constexpr UInt64 MaxScrambledFileBytes = 1 << 20;

GS::UniString LineText(std::string_view bytes) {
    return GS::UniString(bytes, GS::CC_Default);
}

bool FallbackLocation(const IO::Location& iniFile, IO::Location* datFile) {
    IO::Name name;
    if (iniFile.GetLastLocalName(&name) != NoError) return false;
    name.DeleteExtension();
    if (name.AppendExtension(GS::UniString("dat")) != NoError) return false;
    *datFile = iniFile;
    return datFile->SetLastLocalName(name) == NoError;
}

// The whole file, or nothing when it cannot be read whole.
std::string ReadWholeFile(const IO::Location& location) {
    IO::File file(location);
    UInt64 length = 0;
    if (file.Open(IO::File::ReadMode) != NoError || file.GetDataLength(&length) != NoError ||
        length > MaxScrambledFileBytes) {
        return {};
    }
    std::string bytes(std::size_t(length), '\0');
    GS::USize read = 0;
    if (length > 0 &&
        (file.ReadBin(bytes.data(), GS::USize(length), &read) != NoError || read != length)) {
        return {};
    }
    return bytes;
}

std::vector<GS::UniString> UnscrambledLines(std::string_view bytes) {
    std::vector<GS::UniString> lines;
    std::string line;
    for (const char byte : bytes) {
        if (byte == '\n') {
            lines.push_back(LineText(line));
            line.clear();
        } else if (byte != '\r') {
            line.push_back(byte);
        }
    }
    if (!line.empty()) lines.push_back(LineText(line));
    return lines;
}

bool ReadTextLines(const IO::Location& file, std::vector<GS::UniString>* lines) {
    lines->clear();
    TextLineReader reader(file);
    if (!reader.IsOpen()) return false;
    std::string_view line;
    while (reader.Next(&line)) lines->push_back(LineText(line));
    return true;
}

bool ReadScrambledLines(const IO::Location& iniFile, std::vector<GS::UniString>* lines) {
    lines->clear();
    IO::Location datFile;
    if (!FallbackLocation(iniFile, &datFile) || !IO::fileSystem.Exists(datFile)) return false;
    std::string bytes = ReadWholeFile(datFile);
    ScrambleSettingsBytes(bytes);
    *lines = UnscrambledLines(bytes);
    return true;
}

}  // namespace

SettingsLinesSource ReadLines(const IO::Location& iniFile, std::vector<GS::UniString>* lines) {
    if (ReadTextLines(iniFile, lines)) return SettingsLinesSource::IniFile;
    if (ReadScrambledLines(iniFile, lines)) return SettingsLinesSource::ScrambledFallback;
    return SettingsLinesSource::None;
}

bool WriteTextLines(const IO::Location& file, const std::vector<GS::UniString>& lines) {
    std::string content;
    for (const GS::UniString& line : lines) {
        std::string bytes = line.ToCStr(GS::CC_Default);
        content.append(bytes, 0, MaxLineBytes - 2).append("\r\n");
    }
    IO::SafeFile safeFile(file);
    return safeFile.Open() == NoError &&
           safeFile.WriteBin(content.data(), GS::USize(content.size())) == NoError &&
           safeFile.Commit() == NoError;
}
