// Lines of a points file that a command could not take as they stand: skipped, or with a field
// that holds something else than one finite number (P12 reads as 0, 12,5 as 12, inf as no
// coordinate at all). The command goes on with what the reading rules give, and tells the user
// at its end; also when the file held text but not one point line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "GS/UniString.hpp"
#include "settings/text_line_reader.hpp"

// True when AtoI takes the whole field (white space around it aside) without clamping.
bool IsWholeInteger(std::string_view field);
// True when AtoF takes the whole field (white space around it aside) as a finite number.
bool IsWholeCoordinate(std::string_view field);

class LineIssues {
public:
    void Add(std::size_t lineNumber);  // 1-based line of the file, each line once, in any order
    bool IsEmpty() const { return count_ == 0; }
    std::size_t Count() const { return count_; }
    // "line 4", or "lines 2, 3, 5, 6, 7 and 4 more": the file's first few of them.
    std::string Named() const;
    // One alert, when there were any: how many lines, the first few of the file, and
    // `consequence`.
    void Report(std::string_view consequence) const;

private:
    static constexpr std::size_t kLinesNamed = 5;
    std::size_t count_ = 0;
    std::vector<std::size_t> firstLines_;  // ascending
};

// One alert naming the file when it held text but no point line, with `consequence`; an empty
// file, or one that could not be opened, says nothing.
void ReportNoPointLines(const GS::UniString& path, const TextSummary& text,
                        std::string_view consequence);
