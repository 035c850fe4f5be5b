// Lines of a points file that a command could not take as they stand: skipped, or with a field
// that holds something else than one number (P12 reads as 0, 12,5 as 12). The command goes on
// with what the reading rules give, and tells the user at its end.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

// True when AtoI takes the whole field (white space around it aside) without clamping.
bool IsWholeInteger(std::string_view field);
// True when AtoF takes the whole field (white space around it aside) without overflow.
bool IsWholeCoordinate(std::string_view field);

class LineIssues {
public:
    void Add(std::size_t lineNumber);  // 1-based line of the file, each line once
    bool IsEmpty() const { return count_ == 0; }
    // One alert, when there were any: how many lines, the first few of them, and `consequence`.
    void Report(std::string_view consequence) const;

private:
    static constexpr std::size_t kLinesNamed = 5;
    std::size_t count_ = 0;
    std::vector<std::size_t> firstLines_;
};
