// rescomp SOURCE.grc OUTPUT.cpp SYMBOL: compiles a resource source into a C++ file that
// defines the resource image (see FORMAT.md). On any fault it names file and line, writes
// nothing and exits with 1, which stops the build.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>

#include "grc_parser.hpp"
#include "image_writer.hpp"
#include "source_error.hpp"

namespace {

bool IsIdentifier(const std::string& text) {
    if (text.empty() || (text[0] >= '0' && text[0] <= '9')) return false;
    for (char ch : text) {
        const bool ok = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') ||
                        (ch >= '0' && ch <= '9') || ch == '_';
        if (!ok) return false;
    }
    return true;
}

// Written beside the output and renamed over it, so a build never sees half a file.
bool WriteWhole(const std::string& path, const std::string& content) {
    const std::string temp = path + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << content;
        if (!out.flush()) return false;
    }
    std::error_code error;
    std::filesystem::rename(temp, path, error);
    if (error) std::filesystem::remove(temp, error);
    return !error;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 || !IsIdentifier(argv[3])) {
        std::fprintf(stderr, "usage: rescomp SOURCE.grc OUTPUT.cpp SYMBOL\n");
        return 2;
    }
    try {
        const std::string image = rescomp::BuildImage(rescomp::ParseGrcFile(argv[1]));
        if (!WriteWhole(argv[2], rescomp::ImageAsCpp(image, argv[3]))) {
            std::fprintf(stderr, "rescomp: cannot write %s\n", argv[2]);
            return 1;
        }
    } catch (const rescomp::SourceError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "rescomp: error: %s\n", error.what());
        return 1;
    }
    return 0;
}
