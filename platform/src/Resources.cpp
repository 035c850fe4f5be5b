#include "RS/Resources.hpp"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <optional>
#include <utility>

#include "RS/ImageFormat.hpp"
#include "RS/OpenModules.hpp"

namespace {

struct Resource {
    std::string_view name;
    std::string_view data;
};

using ResourceKey = std::pair<GSType, GSResID>;
using Module = std::map<ResourceKey, Resource>;

struct ModuleTable {
    std::map<GSResModule, Module> open;
    GSResModule lastId = 0;
};

ModuleTable& Modules() {
    // Never destroyed: an add-on may close its module while the process exits.
    static auto* table = new ModuleTable;
    return *table;
}

// The bytes [offset, offset + length) of the image, when they lie inside it.
std::optional<std::string_view> Slice(const unsigned char* image, std::size_t size, UInt32 offset,
                                      UInt32 length) {
    if (offset > size || length > size - offset) return std::nullopt;
    return std::string_view(reinterpret_cast<const char*>(image) + offset, length);
}

// Every entry is checked against the image's bounds once, so lookups need no checks.
std::optional<Module> ReadImage(const unsigned char* image, std::size_t size) {
    using namespace RS::image;
    if (image == nullptr || size < HeaderSize || std::memcmp(image, Magic, sizeof Magic) != 0 ||
        ReadUInt32(image + 4) != Version) {
        return std::nullopt;
    }
    const UInt32 count = ReadUInt32(image + 8);
    if (count > (size - HeaderSize) / EntrySize) return std::nullopt;
    Module module;
    for (UInt32 i = 0; i < count; ++i) {
        const unsigned char* entry = image + HeaderSize + std::size_t(i) * EntrySize;
        const GSType type = ReadUInt32(entry);
        const auto id = GSResID(UInt16(entry[4] | (entry[5] << 8)));
        const auto name = Slice(image, size, ReadUInt32(entry + 8), ReadUInt32(entry + 12));
        const auto data = Slice(image, size, ReadUInt32(entry + 16), ReadUInt32(entry + 20));
        if (!name || !data ||
            !module.emplace(ResourceKey(type, id), Resource{*name, *data}).second) {
            return std::nullopt;
        }
    }
    return module;
}

const Resource* FindResource(GSType type, GSResID id, GSResModule module) {
    const ModuleTable& table = Modules();
    const auto found = table.open.find(module);
    if (found == table.open.end()) return nullptr;
    const auto resource = found->second.find(ResourceKey(type, id));
    return resource == found->second.end() ? nullptr : &resource->second;
}

// String index (1-based) of a string list: a count, then length-prefixed UTF-8 strings.
std::optional<std::string_view> IndString(std::string_view list, Int32 index) {
    using RS::image::ReadUInt32;
    const auto take = [&list](std::size_t length) -> std::optional<std::string_view> {
        if (length > list.size()) return std::nullopt;
        const std::string_view part = list.substr(0, length);
        list.remove_prefix(length);
        return part;
    };
    const auto readCount = [&take]() -> std::optional<UInt32> {
        const auto bytes = take(4);
        if (!bytes) return std::nullopt;
        return ReadUInt32(reinterpret_cast<const unsigned char*>(bytes->data()));
    };
    const auto count = readCount();
    if (!count || index < 1 || UInt32(index) > *count) return std::nullopt;
    for (Int32 i = 1;; ++i) {
        const auto length = readCount();
        const auto string = length ? take(*length) : std::nullopt;
        if (!string || i == index) return string;
    }
}

std::optional<std::string_view> LoadIndString(GSResID id, Int32 index, GSResModule module) {
    const Resource* list = FindResource(RS_StringList, id, module);
    return list == nullptr ? std::nullopt : IndString(list->data, index);
}

}  // namespace

GSResModule RSOpenResourceModule(const unsigned char* image, std::size_t size) {
    std::optional<Module> module = ReadImage(image, size);
    if (!module) return 0;
    ModuleTable& table = Modules();
    // Ids are not reused while the process lives, so a stale id finds nothing.
    if (table.lastId == INT32_MAX) return 0;
    table.open.emplace(++table.lastId, std::move(*module));
    return table.lastId;
}

void RSCloseResourceModule(GSResModule module) {
    Modules().open.erase(module);
}

Int32 RSOpenModuleCount() {
    return Int32(Modules().open.size());
}

GSResModule RSLastOpenedModule() {
    const auto& open = Modules().open;
    // Ids only grow, so the newest module still open has the largest id.
    return open.empty() ? 0 : open.rbegin()->first;
}

std::string_view RSLoadResource(GSType type, GSResID id, GSResModule module) {
    const Resource* resource = FindResource(type, id, module);
    return resource == nullptr ? std::string_view() : resource->data;
}

std::string_view RSGetResourceName(GSType type, GSResID id, GSResModule module) {
    const Resource* resource = FindResource(type, id, module);
    return resource == nullptr ? std::string_view() : resource->name;
}

bool RSGetIndString(GS::UniString* string, GSResID id, Int32 index, GSResModule module) {
    if (string == nullptr) return false;
    const auto text = LoadIndString(id, index, module);
    if (!text) return false;
    *string = GS::UniString(*text, GS::CC_UTF8);
    return true;
}

bool RSGetIndString(char* buffer, std::size_t bufferSize, GSResID id, Int32 index,
                    GSResModule module) {
    if (buffer == nullptr || bufferSize == 0) return false;
    GS::UniString text;
    if (!RSGetIndString(&text, id, index, module)) return false;
    const std::string narrow = text.ToCStr(GS::CC_Default);
    const std::size_t length = std::min(narrow.size(), bufferSize - 1);
    std::memcpy(buffer, narrow.data(), length);
    buffer[length] = '\0';
    return true;
}
