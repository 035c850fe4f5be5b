#include "model/parameter.hpp"

#include <cstring>
#include <utility>

namespace planhost {

bool operator==(const Parameter& a, const Parameter& b) {
    // Values compare by their bits, so that equal lists are found equal also when a value is
    // not a number.
    return a.name == b.name && a.type == b.type &&
           std::memcmp(&a.real, &b.real, sizeof(double)) == 0 && a.text == b.text;
}

const Parameter* FindParameter(const ParameterList& list, std::string_view name) {
    for (const Parameter& parameter : list) {
        if (parameter.name == name) return &parameter;
    }
    return nullptr;
}

Parameter* FindParameter(ParameterList& list, std::string_view name) {
    return const_cast<Parameter*>(FindParameter(std::as_const(list), name));
}

namespace {

template <typename T>
void Put(std::string& out, T value) {
    char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    out.append(bytes, sizeof(T));
}

template <typename T>
bool Take(std::string_view& in, T* value) {
    if (in.size() < sizeof(T)) return false;
    std::memcpy(value, in.data(), sizeof(T));
    in.remove_prefix(sizeof(T));
    return true;
}

bool TakeBytes(std::string_view& in, std::size_t length, std::string_view* bytes) {
    if (in.size() < length) return false;
    *bytes = in.substr(0, length);
    in.remove_prefix(length);
    return true;
}

}  // namespace

std::string EncodeParameters(const ParameterList& list) {
    std::string out;
    Put(out, UInt32(list.size()));
    for (const Parameter& parameter : list) {
        Put(out, Int32(parameter.type));
        Put(out, UInt32(parameter.name.size()));
        out += parameter.name;
        Put(out, parameter.real);
        Put(out, UInt32(parameter.text.size()));
        out.append(reinterpret_cast<const char*>(parameter.text.data()),
                   parameter.text.size() * sizeof(char16_t));
    }
    return out;
}

bool DecodeParameters(std::string_view in, ParameterList* list) {
    UInt32 count = 0;
    if (!Take(in, &count)) return false;
    ParameterList result;
    for (UInt32 i = 0; i < count; ++i) {
        Parameter parameter;
        Int32 type = 0;
        UInt32 nameLength = 0;
        UInt32 textLength = 0;
        std::string_view name;
        std::string_view text;
        if (!Take(in, &type) || !Take(in, &nameLength) || !TakeBytes(in, nameLength, &name) ||
            !Take(in, &parameter.real) || !Take(in, &textLength) ||
            !TakeBytes(in, std::size_t(textLength) * sizeof(char16_t), &text)) {
            return false;
        }
        parameter.type = type;
        parameter.name = std::string(name);
        parameter.text.resize(textLength);
        std::memcpy(parameter.text.data(), text.data(), text.size());
        result.push_back(std::move(parameter));
    }
    if (!in.empty()) return false;
    *list = std::move(result);
    return true;
}

}  // namespace planhost
