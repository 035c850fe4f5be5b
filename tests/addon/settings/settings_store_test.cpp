#include "settings/settings_store.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "settings_test_home.hpp"

namespace {

// Stakewise.dat files as the store has always scrambled them, fixed here byte for byte so that a
// change of the generator cannot pass unseen.
// "SymbolSize=3\r\nStartNumber=9\n\nLib\rrary=2"
const std::string kScrambledSettings(
    "\xDE\x3D\x42\x5C\xCE\xA4\x30\x0B\x8F\xE9\xEA\xF5\x84\x9A\xD8\x1E\x3C\xA6\x0B\x00"
    "\x04\x35\xD1\x17\xB7\x21\x1E\xDC\x53\x6C\xB2\x18\x20\x16\xAE\x2C\x38\xD5\x31",
    39);
// "Library=1\r\n"
const std::string kScrambledLibrary = "\xC1\x2D\x4D\x4C\xC0\xBA\x1A\x5F\xC4\x81\xDD";

class SettingsStoreTest : public ::testing::Test {
protected:
    void Given(const std::string& path, const std::string& content) {
        std::filesystem::create_directories(home.Folder());
        WriteWholeFile(path, content);
    }
    void ExpectSettings(const char* symbolSize, const char* startNumber, const char* library) {
        EXPECT_EQ(GetSymbolSize(), symbolSize);
        EXPECT_EQ(GetStartNumber(), startNumber);
        EXPECT_EQ(GetLibrary(), library);
    }

    SettingsTestHome home;
};

TEST_F(SettingsStoreTest, SettersTrimNumbersButNotTheLibrary) {
    ReadSettings();
    SetSymbolSize("\t3 ");
    SetStartNumber(" 12 ");
    SetLibrary(" 2");
    ExpectSettings("3", "12", " 2");
    ASSERT_TRUE(WriteSettings());
    EXPECT_NE(ReadWholeFile(home.IniFile()).find("\r\nLibrary= 2\r\n"), std::string::npos);
    ReadSettings();
    ExpectSettings("3", "12", "2");
}

TEST_F(SettingsStoreTest, OverlongValuesAreCutButKeepTheirLineEnd) {
    Given(home.IniFile(), "Username=" + std::string(5000, 'u') + "\r\nSymbolSize=4\r\n");
    ReadSettings();
    SetLibrary(GS::UniString(std::string(3000, 'x').c_str()));
    ASSERT_TRUE(WriteSettings());
    const std::string written = ReadWholeFile(home.IniFile());
    EXPECT_EQ(written.substr(0, 1999), "Username=" + std::string(1988, 'u') + "\r\n");
    EXPECT_EQ(written.substr(written.size() - 1999), "Library=" + std::string(1989, 'x') + "\r\n");
    ReadSettings();
    ExpectSettings("4", "", std::string(1989, 'x').c_str());
}

TEST_F(SettingsStoreTest, ScrambledFallbackIsReadButNeverWritten) {
    Given(home.DatFile(), kScrambledSettings);
    ReadSettings();
    ExpectSettings("3", "9", "2");
    SetSymbolSize("4");
    ASSERT_TRUE(WriteSettings());
    ReadSettings();
    ExpectSettings("4", "9", "2");
    EXPECT_EQ(ReadWholeFile(home.DatFile()), kScrambledSettings);
}

TEST_F(SettingsStoreTest, UnopenableIniFallsBackToTheScrambledFile) {
    Given(home.DatFile(), kScrambledLibrary);
    std::filesystem::create_directory(home.IniFile());
    ReadSettings();
    ExpectSettings("", "", "1");
}

}  // namespace
