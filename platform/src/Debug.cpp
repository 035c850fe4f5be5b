#include "DBG/Debug.hpp"

#include <cstdarg>
#include <cstdio>
#include <string>
#include <utility>

#include "DBG/DebugOutput.hpp"

namespace {

void WriteToStandardError(std::string_view line) {
    std::string text = "debug: ";
    text.append(line);
    text.push_back('\n');
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

std::function<void(std::string_view)>& Sink() {
    // Never destroyed: an add-on that is unloaded at exit may still write its last line.
    static auto* sink = new std::function<void(std::string_view)>(WriteToStandardError);
    return *sink;
}

// One call is one line: line ends at the end are dropped, those inside become blanks.
std::string AsOneLine(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    for (char& ch : text) {
        if (ch == '\n' || ch == '\r') ch = ' ';
    }
    return text;
}

std::string Format(const char* format, va_list args) {
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (length <= 0) return {};
    std::string text(std::size_t(length) + 1, '\0');
    std::vsnprintf(text.data(), text.size(), format, args);
    text.resize(std::size_t(length));
    return text;
}

void Emit(std::string_view line) {
    if (!line.empty()) Sink()(line);
}

}  // namespace

void DBPrintf(const char* format, ...) {
    if (format == nullptr) return;
    va_list args;
    va_start(args, format);
    const std::string text = Format(format, args);
    va_end(args);
    Emit(AsOneLine(text));
}

void GSSysBeep() {
    Emit("(beep)");
}

void DBSetOutput(std::function<void(std::string_view line)> sink) {
    Sink() = sink ? std::move(sink) : WriteToStandardError;
}
