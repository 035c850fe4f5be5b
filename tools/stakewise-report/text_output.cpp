#include "text_output.hpp"

#include <utility>

namespace {

constexpr std::size_t kBlockSize = std::size_t(1) << 20;

std::string_view Reference(char c) {
    switch (c) {
        case '&':
            return "&amp;";
        case '<':
            return "&lt;";
        case '>':
            return "&gt;";
        case '"':
            return "&quot;";
        case '\'':
            return "&#39;";
        default:
            return {};
    }
}

}  // namespace

TextOutput::TextOutput(Sink sink) : sink_(std::move(sink)) {
    block_.reserve(kBlockSize + kBlockSize / 4);
}

TextOutput& TextOutput::operator<<(std::string_view text) {
    block_ += text;
    HandOnWhenFull();
    return *this;
}

TextOutput& TextOutput::operator<<(char c) {
    block_ += c;
    HandOnWhenFull();
    return *this;
}

void TextOutput::AppendRight(std::string_view text, std::size_t width) {
    if (text.size() < width) block_.append(width - text.size(), ' ');
    *this << text;
}

void TextOutput::AppendEscaped(std::string_view text) {
    for (const char c : text) {
        const std::string_view reference = Reference(c);
        if (reference.empty()) {
            block_ += c;
        } else {
            block_ += reference;
        }
    }
    HandOnWhenFull();
}

bool TextOutput::Finish() {
    if (!block_.empty() && !failed_) failed_ = !sink_(block_);
    block_.clear();
    return !failed_;
}

void TextOutput::HandOnWhenFull() {
    if (block_.size() < kBlockSize) return;
    if (!failed_) failed_ = !sink_(block_);
    block_.clear();
}
