#include "model/library.hpp"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <system_error>

#include "GS/UniString.hpp"
#include "os/process.hpp"

namespace planhost {

namespace {

constexpr std::size_t kMaxNameLength = 31;
constexpr std::size_t kMaxTextLength = 255;

std::u16string FromUtf8(std::string_view text) {
    return GS::UniString(text, GS::CC_UTF8).Text();
}

std::string ToUtf8(const std::u16string& text) {
    return GS::UniString(text).ToCStr(GS::CC_UTF8);
}

bool ParseType(const std::string& type, API_AddParID* id) {
    static const std::pair<const char*, API_AddParID> kTypes[] = {
        {"integer", APIParT_Integer}, {"length", APIParT_Length}, {"real", APIParT_RealNum},
        {"boolean", APIParT_Boolean}, {"text", APIParT_CString},
    };
    for (const auto& [name, value] : kTypes) {
        if (type == name) {
            *id = value;
            return true;
        }
    }
    return false;
}

bool IsAsciiName(const std::string& name) {
    return !name.empty() && name.size() <= kMaxNameLength &&
           std::all_of(name.begin(), name.end(), [](char c) { return c > ' ' && c < 0x7F; });
}

Parameter ParseParameter(const nlohmann::json& entry) {
    Parameter parameter;
    parameter.name = entry.at("name").get<std::string>();
    if (!IsAsciiName(parameter.name)) {
        throw std::runtime_error("parameter name \"" + parameter.name +
                                 "\" is not 1 to 31 ASCII characters");
    }
    if (!ParseType(entry.at("type").get<std::string>(), &parameter.type)) {
        throw std::runtime_error("parameter " + parameter.name + " has an unknown type");
    }
    const nlohmann::json& value = entry.at("value");
    if (parameter.IsText()) {
        parameter.text = FromUtf8(value.get<std::string>());
        if (parameter.text.size() > kMaxTextLength) {
            throw std::runtime_error("parameter " + parameter.name + " is longer than 255");
        }
    } else {
        parameter.real = value.get<double>();
    }
    return parameter;
}

LibraryPart ParsePart(std::string_view json) {
    nlohmann::json document = nlohmann::json::parse(json);
    LibraryPart part;
    part.name = FromUtf8(document.at("name").get<std::string>());
    part.placeable = document.value("placeable", true);
    part.a = document.value("a", 1.0);
    part.b = document.value("b", 1.0);
    for (const nlohmann::json& entry : document.value("parameters", nlohmann::json::array())) {
        part.parameters.push_back(ParseParameter(entry));
    }
    part.symbolParameter = document.value("symbolParameter", part.symbolParameter);
    part.defaultSymbol = document.value("defaultSymbol", part.defaultSymbol);
    const nlohmann::json symbols = document.value("symbols", nlohmann::json::object());
    for (const auto& [value, symbol] : symbols.items()) {
        part.symbols.emplace(FromUtf8(value), symbol.get<std::string>());
    }
    return part;
}

std::vector<std::filesystem::path> PartFiles(const std::string& folder) {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        std::string extension = entry.path().extension().string();
        std::transform(extension.begin(), extension.end(), extension.begin(),
                       [](unsigned char c) { return char(std::tolower(c)); });
        if (extension == ".gsm" && entry.is_regular_file(error)) files.push_back(entry.path());
    }
    if (error) std::cerr << "planhost: cannot read the library " << folder << '\n';
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

std::string LibraryPart::FileNameUtf8() const {
    return ToUtf8(fileName);
}

std::string LibraryPart::SymbolFor(const ParameterList& objectParameters) const {
    const Parameter* style = FindParameter(objectParameters, symbolParameter);
    if (style != nullptr) {
        auto it = symbols.find(style->text);
        if (it != symbols.end()) return it->second;
    }
    return defaultSymbol;
}

bool Library::AddPart(std::u16string fileName, std::string_view json, std::string* error) {
    try {
        LibraryPart part = ParsePart(json);
        part.index = Int32(parts_.size() + 1);
        part.fileName = std::move(fileName);
        part.parameterRecords = MakeParameterRecords(part.parameters);
        byFileName_.emplace(part.fileName, part.index);  // the first of equal names is found
        parts_.push_back(std::move(part));
        return true;
    } catch (const std::exception& exception) {
        if (error != nullptr) *error = exception.what();
        return false;
    }
}

void Library::LoadFolders(const std::vector<std::string>& folders) {
    for (const std::string& folder : folders) {
        for (const std::filesystem::path& file : PartFiles(folder)) {
            std::ifstream stream(file, std::ios::binary);
            std::stringstream content;
            content << stream.rdbuf();
            std::string error;
            if (!stream || !AddPart(FromUtf8(file.filename().string()), content.str(), &error)) {
                std::cerr << "planhost: library part " << file.string()
                          << " not loaded: " << (error.empty() ? "cannot read it" : error) << '\n';
            }
        }
    }
}

const LibraryPart* Library::Find(Int32 index) const {
    if (index < 1 || index > size()) return nullptr;
    return &parts_[std::size_t(index - 1)];
}

const LibraryPart* Library::FindByFileName(std::u16string_view fileName) const {
    auto it = byFileName_.find(std::u16string(fileName));
    return it == byFileName_.end() ? nullptr : Find(it->second);
}

const LibraryPart* Library::FindByFileNameUtf8(std::string_view fileName) const {
    return FindByFileName(FromUtf8(fileName));
}

std::string DefaultLibraryFolder() {
    return (os::ThisProgram().parent_path() / "library").string();
}

}  // namespace planhost
