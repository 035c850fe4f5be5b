// Text handed on in large blocks, so that a report of a million lines costs a few hundred
// writes.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

class TextOutput {
public:
    // Takes one block; false when it could not be written.
    using Sink = std::function<bool(std::string_view)>;

    explicit TextOutput(Sink sink);
    TextOutput(const TextOutput&) = delete;
    TextOutput& operator=(const TextOutput&) = delete;

    TextOutput& operator<<(std::string_view text);
    TextOutput& operator<<(char c);
    // The text right-aligned in a column of this width.
    void AppendRight(std::string_view text, std::size_t width);
    // The text with the characters that HTML gives a meaning (& < > " ') as references.
    void AppendEscaped(std::string_view text);

    // Hands on the rest; false when any block could not be written.
    bool Finish();

private:
    void HandOnWhenFull();

    Sink sink_;
    std::string block_;
    bool failed_ = false;
};
