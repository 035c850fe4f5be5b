#include "settings/settings_record.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(SettingsRecordTest, HandEditedLines) {
    const struct {
        std::vector<const char*> lines;
        GS::UniString Settings::*field;
        const char* expected;
    } cases[] = {
        {{"Username="}, &Settings::Username, ""},
        {{"Minimized="}, &Settings::Minimized, "0"},
        {{"Minimized=1"}, &Settings::Minimized, "1"},
        {{"Username=a=b"}, &Settings::Username, ""},
        {{"Username==b"}, &Settings::Username, ""},
        {{"=Username=b"}, &Settings::Username, ""},
        {{"Library=2="}, &Settings::Library, "2"},
        {{"SymbolSize = 5"}, &Settings::SymbolSize, ""},
        {{"SymbolSize=  5  "}, &Settings::SymbolSize, "5"},
        {{"SymbolSize=\t5\r"}, &Settings::SymbolSize, "5"},
        {{"symbolsize=5"}, &Settings::SymbolSize, ""},
        {{"[Settings]", "; a comment", "", "Library=1"}, &Settings::Library, "1"},
        {{"StartNumber=3", "StartNumber=8"}, &Settings::StartNumber, "8"},
        {{"ProjectUnits=m", "Other=x"}, &Settings::ProjectUnits, "m"},
        {{"Username=Jos\xE9"}, &Settings::Username, "Jos\xE9"},
    };
    for (const auto& c : cases) {
        const std::vector<GS::UniString> lines(c.lines.begin(), c.lines.end());
        Settings settings = DefaultSettings();
        ApplySettingsLines(settings, lines);
        EXPECT_EQ(settings.*c.field, c.expected) << c.lines.front();
    }
}

}  // namespace
