// stakewise-report end to end: the built tool on points files as a script runs it, and the
// report page that planhost's demo ends with.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

#if !defined(_WIN32)
#include <unistd.h>
#endif

#include "planhost_runner.hpp"

namespace planhost_test {
namespace {

// The text with its lines ended as on Linux: on Windows a line ends in CR LF.
std::string WithLineFeeds(std::string text) {
    std::erase(text, '\r');
    return text;
}

using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

const std::filesystem::path kTool = STAKEWISE_REPORT_PATH;

// Design points 201, 204 and 205; 201 and 204 staked (204 exactly at the 10 mm tolerance), and
// a measured point 7 that no design point carries.
const std::string kSite =
    "[Measured_Points]\r\n201\t0.004\t-0.003\t0.002\t\r\n204\t0.01\t8\t0.01\t\r\n"
    "7\t1\t1\t1\t\r\n[Design_Points]\r\n201\t0\t0\t0\t\r\n204\t0\t8\t0\t\r\n205\t6\t4\t0\t\r\n";

class StakewiseReportTest : public ::testing::Test {
protected:
    RunResult Report(const std::vector<std::string>& args) {
        return planhost.RunProgram(kTool, args);
    }

    PlanhostRunner planhost;
};

TEST_F(StakewiseReportTest, ExitStatusGatesAScriptAndSaysWhyItCannotReport) {
    planhost.WriteFile("site.txt", kSite);
    planhost.WriteFile("as-built.txt", "201\t0.004\t-0.003\t0.012\t\r\n204\t0.0101\t8\t0\t\r\n");
    planhost.WriteFile("no-design.txt", "[Measured_Points]\r\n1\t0\t0\t0\t\r\n");
    planhost.WriteFile("cr-only.txt", "[Design_Points]\r1\t0\t0\t0\t\r");
    std::filesystem::create_directory(planhost.folder() / "folder");
    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::string message;
    } cases[] = {
        {{"site.txt"}, 0, ""},
        {{"site.txt", "as-built.txt"}, 1, ""},
        {{"--tolerance-v", "0.012", "--tolerance-h", "0.0101", "site.txt", "as-built.txt"}, 0, ""},
        {{}, 2, "which points file holds the design points?\nusage: stakewise-report"},
        {{"missing.txt"}, 2, "cannot read missing.txt: No such file or directory"},
        {{"site.txt", "folder"}, 2, "folder is a folder"},
        {{"no-design.txt"}, 2, "no-design.txt holds no design point"},
        {{"cr-only.txt"}, 2, "cr-only.txt holds no design point: its lines end in CR alone"},
        {{"--csv", "no-such-folder/r.csv", "site.txt"}, 2, "cannot write no-such-folder/r.csv"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        const RunResult run = Report(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        if (c.message.empty()) {
            EXPECT_THAT(run.err, IsEmpty());
        } else {
            EXPECT_THAT(WithLineFeeds(run.err), HasSubstr("stakewise-report: " + c.message));
        }
    }
}

TEST_F(StakewiseReportTest, PrintsAnAlignedTableAndReplacesTheCsvFile) {
    planhost.WriteFile("site.txt", kSite);
    planhost.WriteFile("report.csv", std::string(1000, 'x'));
    const RunResult run = Report({"--csv", "report.csv", "site.txt"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(planhost.ReadFile("report.csv"),
              "number,design x,design y,design z,staked x,staked y,staked z,dx mm,dy mm,dz mm,"
              "dh mm,verdict\r\n"
              "201,0,0,0,0.004,-0.003,0.002,4.000,-3.000,2.000,5.000,within\r\n"
              "204,0,8,0,0.01,8,0.01,10.000,0.000,10.000,10.000,within\r\n");
    const std::string out = WithLineFeeds(run.out);
    EXPECT_THAT(out, HasSubstr("number   dx mm   dy mm   dz mm   dh mm  verdict\n"
                               "   201   4.000  -3.000   2.000   5.000  within\n"
                               "   204  10.000   0.000  10.000  10.000  within\n"));
    EXPECT_THAT(out, HasSubstr("Design points not staked (1)\nnumber  x m  y m  z m\n"
                               "   205    6    4    0\n"));
    EXPECT_EQ(run.outLines.back(),
              "2 of 2 staked points within tolerance; 1 not staked; 1 without design");
}

std::size_t Occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// The chromium on the PATH, or nothing; Debian's chromium is no Windows program.
std::filesystem::path FindChromium() {
#if defined(_WIN32)
    return {};
#else
    const char* path = std::getenv("PATH");
    std::istringstream folders(path == nullptr ? "" : path);
    for (std::string folder; std::getline(folders, folder, ':');) {
        const std::filesystem::path candidate = std::filesystem::path(folder) / "chromium";
        if (!folder.empty() && access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return {};
#endif
}

// What a headless browser makes of a page: its document as parsed (--dump-dom) or a picture
// of the window (--screenshot=FILE).
RunResult Browse(PlanhostRunner& planhost, const std::filesystem::path& chromium,
                 const std::string& page, const std::string& action) {
    planhost.SetTimeout(std::chrono::seconds(120));
    return planhost.RunProgram(
        chromium,
        {"--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
         "--disable-component-update", "--disable-sync", "--no-first-run",
         "--user-data-dir=" + (planhost.folder() / "browser").string(), "--window-size=1200,1600",
         action, "file://" + (planhost.folder() / page).string()});
}

TEST_F(StakewiseReportTest, DemoEndsWithAReportPageThatABrowserRenders) {
    const std::string summary =
        "2 of 4 staked points within tolerance; 1 not staked; 6 without design";
    const RunResult demo = planhost.Run({"demo", "demo"}, false);
    ASSERT_EQ(demo.exitCode, 0) << demo.err;
    EXPECT_THAT(demo.outLines, Contains(summary));
    EXPECT_THAT(planhost.ReadFile("demo/report.html"),
                HasSubstr("<p class=\"summary\">" + summary + "</p>"));

    // The demo's points under a file name that would be markup if the page did not escape it.
    // Windows names cannot hold '<' or '>': there the ampersand alone.
#if defined(_WIN32)
    const std::string hostile = "&x.txt";
    const std::string escaped = "&amp;x.txt";
#else
    const std::string hostile = "<b>&x.txt";
    const std::string escaped = "&lt;b&gt;&amp;x.txt";
#endif
    std::filesystem::copy_file(planhost.folder() / "demo" / "staked-points.txt",
                               planhost.folder() / hostile);
    ASSERT_EQ(Report({"--html", "hostile.html", hostile}).exitCode, 1);
    // The page as a browser parsed it where one is installed, else as written.
    std::string page = planhost.ReadFile("hostile.html");
    const std::filesystem::path chromium = FindChromium();
    if (!chromium.empty()) {
        const RunResult shot = Browse(planhost, chromium, "demo/report.html",
                                      "--screenshot=" + (planhost.folder() / "page.png").string());
        ASSERT_EQ(shot.exitCode, 0) << shot.err;
        EXPECT_EQ(planhost.ReadFile("page.png").compare(0, 8, "\x89PNG\r\n\x1a\n"), 0);
        const RunResult dom = Browse(planhost, chromium, "hostile.html", "--dump-dom");
        ASSERT_EQ(dom.exitCode, 0) << dom.err;
        page = dom.out;
        EXPECT_THAT(page, HasSubstr("<title>Stakeout report</title>"));
    }
    EXPECT_THAT(page, HasSubstr("<code>" + escaped + "</code>"));
    EXPECT_THAT(page, Not(HasSubstr("<b>")));
    EXPECT_EQ(Occurrences(page, "<tr class=\"outside\">"), 2u);
    EXPECT_EQ(Occurrences(page, "<circle class=\"outside\""), 2u);
    // Worst first: 203 is 1.4 times its vertical tolerance off, 202 1.36 times the horizontal.
    const std::size_t rows = page.find("<tbody>");
    std::vector<std::size_t> order;
    for (const char* number : {"203", "202", "204", "201"})
        order.push_back(page.find("<td>" + std::string(number) + "</td>", rows));
    EXPECT_TRUE(std::is_sorted(order.begin(), order.end())) << page;
}

}  // namespace
}  // namespace planhost_test
