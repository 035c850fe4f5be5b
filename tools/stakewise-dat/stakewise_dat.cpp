// stakewise-dat scramble PLAIN DAT | unscramble DAT PLAIN
// Writes a scrambled Stakewise.dat from a plain settings file, or the plain text of one.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "IO/FileSystem.hpp"
#include "settings/settings_scrambling.hpp"

namespace {

constexpr int Failed = 1;
constexpr int Usage = 2;

std::optional<std::string> ReadBytes(const char* path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return std::nullopt;
    return bytes;
}

bool WriteBytes(const char* path, const std::string& bytes) {
    IO::SafeFile file(IO::Location(GS::UniString(path, GS::CC_UTF8)));
    return file.Open() == NoError &&
           file.WriteBin(bytes.data(), GS::USize(bytes.size())) == NoError &&
           file.Commit() == NoError;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string_view command = argc == 4 ? argv[1] : "";
    if (command != "scramble" && command != "unscramble") {
        std::fprintf(stderr,
                     "usage: stakewise-dat scramble PLAIN DAT\n"
                     "       stakewise-dat unscramble DAT PLAIN\n");
        return Usage;
    }
    std::optional<std::string> bytes = ReadBytes(argv[2]);
    if (!bytes) {
        std::fprintf(stderr, "stakewise-dat: cannot read %s\n", argv[2]);
        return Failed;
    }
    // The scrambling is its own inverse: both directions are the same transformation.
    ScrambleSettingsBytes(*bytes);
    if (!WriteBytes(argv[3], *bytes)) {
        std::fprintf(stderr, "stakewise-dat: cannot write %s\n", argv[3]);
        return Failed;
    }
    return 0;
}
