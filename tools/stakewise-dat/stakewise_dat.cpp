// stakewise-dat scramble PLAIN DAT | unscramble DAT PLAIN
// Writes a scrambled Stakewise.dat from a plain settings file, or the plain text of one.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "IO/CommandLine.hpp"
#include "IO/FileSystem.hpp"
#include "IO/Utf8Path.hpp"
#include "settings/settings_scrambling.hpp"

namespace {

constexpr int Failed = 1;
constexpr int Usage = 2;

std::optional<std::string> ReadBytes(const std::string& path) {
    std::ifstream in(IO::PathFromUtf8(path), std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return std::nullopt;
    return bytes;
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
    IO::SafeFile file(IO::Location(GS::UniString(path, GS::CC_UTF8)));
    return file.Open() == NoError &&
           file.WriteBin(bytes.data(), GS::USize(bytes.size())) == NoError &&
           file.Commit() == NoError;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments = IO::CommandLineArguments(argc, argv);
    const std::string_view command = arguments.size() == 4 ? arguments[1] : "";
    if (command != "scramble" && command != "unscramble") {
        std::fprintf(stderr,
                     "usage: stakewise-dat scramble PLAIN DAT\n"
                     "       stakewise-dat unscramble DAT PLAIN\n");
        return Usage;
    }
    std::optional<std::string> bytes = ReadBytes(arguments[2]);
    if (!bytes) {
        std::fprintf(stderr, "stakewise-dat: cannot read %s\n", arguments[2].c_str());
        return Failed;
    }
    // The scrambling is its own inverse: both directions are the same transformation.
    ScrambleSettingsBytes(*bytes);
    if (!WriteBytes(arguments[3], *bytes)) {
        std::fprintf(stderr, "stakewise-dat: cannot write %s\n", arguments[3].c_str());
        return Failed;
    }
    return 0;
}
