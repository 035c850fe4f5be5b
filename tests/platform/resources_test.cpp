#include "RS/Resources.hpp"

#include <gtest/gtest.h>

#include <string>

#include "RS/OpenModules.hpp"
#include "grc_parser.hpp"
#include "image_writer.hpp"
#include "platform_test_folder.hpp"
#include "source_error.hpp"

namespace {

// UTF-8 source text: "Straße" and "€ 5".
const char* const SmallSource =
    "# comment line\n"
    "STRS 100 \"Names\" {\n"
    "    \"Stra\xC3\x9F"
    "e\"\n"
    "    \"tab\\there \\\"quoted\\\" back\\\\slash\"\n"
    "    \"\xE2\x82\xAC 5\"\n"
    "}\n"
    "MDID 7 { 0x53544B57 1 -1 }\n"
    "GDLG 30 Modal NoGrow 0 0 340 170 \"Settings Stakewise\" {\n"
    "    Button 180 138 70 24 \"OK\"\n"
    "\n"
    "    GroupBox 10 10 320 110 \"\"\n"
    "}\n"
    "DLGH 30 \"Anchor30\"\n"
    "{\n"
    "    1 \"\" \"Item01\"\n"
    "}\n"
    "GICN 200 \"I200&96\" \"logo.png\"\n";

GSResModule Open(const std::string& image) {
    return RSOpenResourceModule(reinterpret_cast<const unsigned char*>(image.data()), image.size());
}

class CompiledModule : public testing::Test {
protected:
    void SetUp() override {
        WriteWholeFile(folder / "logo.png", std::string("\x89PNG\r\n\x1A\n\0\1", 10));
        image = rescomp::BuildImage(rescomp::ParseGrc(SmallSource, "small.grc", folder.Path()));
        module = Open(image);
        ASSERT_NE(module, 0);
    }
    void TearDown() override { RSCloseResourceModule(module); }

    TestFolder folder;
    std::string image;
    GSResModule module = 0;
};

// Narrow strings are code-page text cut to the buffer.
TEST_F(CompiledModule, StringsComeBackByOneBasedIndexWideOrNarrow) {
    const struct {
        GSResID id;
        Int32 index;
        bool found;
        std::u16string text;
    } cases[] = {
        {100, 1, true, u"Stra\u00DFe"}, {100, 2, true, u"tab\there \"quoted\" back\\slash"},
        {100, 3, true, u"\u20AC 5"},    {100, 0, false, u"untouched"},
        {100, 4, false, u"untouched"},  {100, -1, false, u"untouched"},
        {101, 1, false, u"untouched"},
    };
    for (const auto& c : cases) {
        GS::UniString text(u"untouched");
        EXPECT_EQ(RSGetIndString(&text, c.id, c.index, module), c.found) << c.index;
        EXPECT_EQ(text.Text(), c.text) << c.index;
    }
    EXPECT_FALSE(RSGetIndString(nullptr, 100, 1, module));
    EXPECT_EQ(RSGetResourceName(RS_StringList, 100, module), "Names");

    char buffer[8] = "xxxxxxx";
    ASSERT_TRUE(RSGetIndString(buffer, sizeof buffer, 100, 3, module));
    EXPECT_STREQ(buffer, "\x80 5");
    ASSERT_TRUE(RSGetIndString(buffer, 4, 100, 1, module));
    EXPECT_STREQ(buffer, "Str");
    EXPECT_FALSE(RSGetIndString(buffer, 0, 100, 1, module));
    EXPECT_FALSE(RSGetIndString(buffer, sizeof buffer, 100, 9, module));
    EXPECT_STREQ(buffer, "Str");
}

// Layouts, help tables and icons are read back by the add-on's dialog tests from its own module;
// no test of the add-on reads its identifier, whose numbers are written as little-endian words.
TEST_F(CompiledModule, OtherTypesKeepTheirBytes) {
    EXPECT_EQ(RSLoadResource(RS_AddOnId, 7, module),
              std::string_view("\x57\x4B\x54\x53\x01\x00\x00\x00\xFF\xFF\xFF\xFF", 12));
    EXPECT_TRUE(RSLoadResource(RS_Icon, 201, module).empty());
    EXPECT_TRUE(RSLoadResource(RS_Icon, 200, module + 1000).empty());
}

TEST_F(CompiledModule, ModulesAreCountedAndDamagedImagesRefused) {
    const Int32 open = RSOpenModuleCount();
    for (std::size_t size = 0; size < image.size(); ++size)
        ASSERT_EQ(Open(image.substr(0, size)), 0) << size;
    std::string damaged = image;
    damaged[12 + 8 + 3] = '\x7F';  // the first name's offset far beyond the end
    EXPECT_EQ(Open(damaged), 0);
    EXPECT_EQ(RSOpenResourceModule(nullptr, 100), 0);
    EXPECT_EQ(RSOpenModuleCount(), open);

    const GSResModule second = Open(image);
    EXPECT_EQ(RSOpenModuleCount(), open + 1);
    RSCloseResourceModule(second);
    RSCloseResourceModule(second);
    RSCloseResourceModule(0);
    EXPECT_EQ(RSOpenModuleCount(), open);
    EXPECT_TRUE(RSLoadResource(RS_Icon, 200, second).empty());
}

TEST(ResourceCompiler, FaultsNameFileAndLine) {
    TestFolder folder;
    const struct {
        std::string source;
        std::string where;
    } cases[] = {
        {"STRS 1 { \"a\" }\nSTRS 2 {\n \"b\\q\" }", "f.grc:3: error: unknown escape"},
        {"STRS 1 {\n\"open }", "f.grc:2: error: the string is not closed"},
        {"STRS 1 { }\n\nSTRS 1 { }", "f.grc:3: error: this resource is already defined on line 1"},
        {"STR 1 { }", "f.grc:1: error: expected a four-character resource type"},
        {"STRS 40000 { }", "f.grc:1: error: expected a resource number"},
        {"STRS 1 {\n\"a\"\n", "f.grc:1: error: the '{' here is never closed"},
        {"STRS 1 {\n 5 }", "f.grc:2: error: '5' is not a string"},
        {"MDID 1 {\n 0x100000000 }", "f.grc:2: error: '0x100000000' does not fit"},
        {"GICN 1 \"I1\" \"missing.png\"", "f.grc:1: error: cannot read"},
        {"GDLG 1 Modal {\n Button \"a\\tb\" }", "f.grc:2: error: a string of a token line"},
        {"STRS 1 { \"caf\xE9\" }", "f.grc:1: error: the line is not UTF-8"},
        {"STRS 1 { \"a\" }\n@", "f.grc:2: error: unexpected character '@'"},
        {"MDID 1 { 12ab }", "f.grc:1: error: malformed number '12a'"},
        {"STRS 1 \"n\" extra { }", "f.grc:1: error: unexpected 'extra'"},
        {"STRS 1 { }\n}", "f.grc:2: error: expected a four-character resource type, found '}'"},
    };
    for (const auto& c : cases) {
        try {
            rescomp::ParseGrc(c.source, "f.grc", folder.Path());
            ADD_FAILURE() << "accepted: " << c.source;
        } catch (const rescomp::SourceError& error) {
            EXPECT_NE(std::string(error.what()).find(c.where), std::string::npos)
                << error.what() << " / expected " << c.where;
        }
    }
}

}  // namespace
