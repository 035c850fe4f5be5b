#include "stakeout_input.hpp"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "IO/Utf8Path.hpp"
#include "exchange/points_file.hpp"

namespace {

// The reader takes a file that cannot be opened for an empty one; the user must hear which.
std::string Unreadable(const std::string& file) {
    std::error_code error;
    if (std::filesystem::is_directory(IO::PathFromUtf8(file), error))
        return file + " is a folder, not a file";
    std::ifstream in(IO::PathFromUtf8(file), std::ios::binary);
    if (!in) return "cannot read " + file + ": " + std::strerror(errno);
    return {};
}

PointLists Read(const std::string& file) {
    return ReadPointsFile(IO::Location(GS::UniString(file.c_str(), GS::CC_UTF8)));
}

std::string NoDesignPoint(const std::string& file, const TextSummary& text) {
    if (text.crLineEndsOnly)
        return file +
               " holds no design point: its lines end in CR alone, so it reads as one line "
               "(save it with CR LF or LF line ends)";
    return file + " holds no design point: no line of a number, x, y and z under " +
           "[Design_Points]";
}

}  // namespace

StakeoutInput ReadStakeoutInput(const std::string& designFile, const std::string& stakedFile) {
    StakeoutInput input;
    for (const std::string* file : {&designFile, &stakedFile}) {
        input.error = Unreadable(*file);
        if (!input.error.empty()) return input;
    }
    {
        const PointLists lists = Read(designFile);
        input.design = TakeSide(lists.design);
        if (input.design.points.empty()) {
            input.error = NoDesignPoint(designFile, lists.text);
            return input;
        }
        if (stakedFile == designFile) {
            input.staked = TakeSide(lists.measured);
            return input;
        }
    }
    input.staked = TakeSide(Read(stakedFile).measured);
    return input;
}
