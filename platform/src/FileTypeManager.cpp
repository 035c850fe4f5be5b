#include "FTM/FileTypeManager.hpp"

#include <deque>

namespace FTM {
namespace {

struct Registration {
    GroupID group;
    FileType type;
};

// One registry per process; a deque keeps the types in place while it grows.
std::deque<Registration>& Registry() {
    static auto* registry = new std::deque<Registration>;  // lives as long as the process
    return *registry;
}

bool SameExtension(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char ch) {
            return ch >= 'A' && ch <= 'Z' ? char(ch - 'A' + 'a') : ch;
        };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

std::string WithoutLeadingDot(const char* extension) {
    if (extension == nullptr) return {};
    return extension[0] == '.' ? std::string(extension + 1) : std::string(extension);
}

}  // namespace

FileType::FileType(const char* descriptionText, const char* extension, UInt32 /*macType*/,
                   UInt32 /*macCreator*/, Int32 /*iconResID*/, const char* /*mimeType*/,
                   bool /*isVisible*/)
    : description_(descriptionText == nullptr ? "" : descriptionText),
      extension_(WithoutLeadingDot(extension)) {}

// The registry is process-wide; a manager only names the client that registers.
FileTypeManager::FileTypeManager(const char* /*name*/) {}

TypeID FileTypeManager::SearchForType(const FileType& type, GroupID group) {
    std::deque<Registration>& registry = Registry();
    for (std::size_t i = 0; i < registry.size(); ++i) {
        if (registry[i].group == group &&
            SameExtension(registry[i].type.Extension(), type.Extension())) {
            return TypeID(i + 1);
        }
    }
    registry.push_back({group, type});
    return TypeID(registry.size());
}

const FileType* FileTypeManager::GetType(TypeID id) {
    const std::deque<Registration>& registry = Registry();
    if (id < 1 || std::size_t(id) > registry.size()) return nullptr;
    return &registry[std::size_t(id) - 1].type;
}

}  // namespace FTM
