// A fresh temporary folder for one test, removed with everything in it afterwards. Paths are
// UTF-8 text, as the platform takes them.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>

#include "IO/Utf8Path.hpp"

// A new folder of its own in the system's temporary folder, named prefix and random letters.
inline std::filesystem::path MakeTemporaryFolder(const std::string& prefix) {
    static std::mt19937_64 random{std::random_device{}()};
    constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = prefix;
        for (int i = 0; i < 8; ++i) name += kLetters[random() % (sizeof kLetters - 1)];
        const std::filesystem::path folder = std::filesystem::temp_directory_path() / name;
        if (std::filesystem::create_directory(folder)) return folder;
    }
    throw std::runtime_error("cannot create a temporary folder for " + prefix);
}

class TestFolder {
public:
    TestFolder() : path_(IO::Utf8FromPath(MakeTemporaryFolder("stakewise-"))) {}
    ~TestFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(IO::PathFromUtf8(path_), ignored);
    }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

inline std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(IO::PathFromUtf8(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteWholeFile(const std::string& path, const std::string& content) {
    std::ofstream(IO::PathFromUtf8(path), std::ios::binary) << content;
}
