#include "trace.hpp"

#include <charconv>
#include <cstdio>

#include "IO/Utf8Path.hpp"

namespace planhost {

Trace::Trace(const std::string& path)
    : file_(IO::PathFromUtf8(path), std::ios::out | std::ios::binary | std::ios::trunc) {}

std::size_t Trace::Begin() {
    if (!file_.is_open()) return 0;  // without a file no call pays for its line
    pending_.emplace_back();
    return written_ + pending_.size() - 1;
}

void Trace::End(std::size_t line, std::string_view op, GSType selector, std::string_view details,
                GSErrCode result) {
    if (!file_.is_open()) return;
    pending_.at(line - written_) = FormatLine(op, selector, details, result);
    while (!pending_.empty() && pending_.front()) {
        // Flushed per line so that the trace is complete up to a crash of the add-on.
        if (file_.is_open()) file_ << *pending_.front() << '\n' << std::flush;
        pending_.pop_front();
        ++written_;
    }
}

std::string Trace::FormatLine(std::string_view op, GSType selector, std::string_view details,
                              GSErrCode result) {
    std::string line(op);
    if (selector != 0) line += ' ' + FormatSelector(selector);
    if (!details.empty()) {
        line += ' ';
        line += details;
    }
    line += " -> " + FormatErrCode(result);
    return line;
}

std::string FormatErrCode(GSErrCode code) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", unsigned(UInt32(code)));
    return text;
}

std::string FormatSelector(GSType selector) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = char((selector >> shift) & 0xFF);
        text += (c >= 0x20 && c < 0x7F) ? c : '?';
    }
    return text;
}

std::string QuoteForTrace(std::string_view utf8) {
    std::string quoted = "\"";
    for (const char c : utf8) {
        switch (c) {
            case '"':
                quoted += "\\\"";
                break;
            case '\\':
                quoted += "\\\\";
                break;
            case '\n':
                quoted += "\\n";
                break;
            case '\r':
                quoted += "\\r";
                break;
            default:
                quoted += c;
        }
    }
    return quoted + '"';
}

std::string FormatNumber(double value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

}  // namespace planhost
