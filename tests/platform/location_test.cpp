#include "IO/Location.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>

#include "IO/FileSystem.hpp"
#include "environment_variable.hpp"
#include "platform_test_folder.hpp"

namespace {

using namespace std::chrono_literals;

// Each path's last name, its parent, and what appending a name to it gives.
TEST(Location, LastNameParentAndAppendedName) {
    const struct {
        std::string path;
        std::optional<std::string> last;
        std::string parent;
        std::string name;
        GSErrCode appendResult;
        std::string appended;
    } cases[] = {
        {"/home/u/", "u", "/home", "a.ini", NoError, "/home/u/a.ini"},
        {"/a/b/c.ini", "c.ini", "/a/b", "x", NoError, "/a/b/c.ini/x"},
        {"/", std::nullopt, "/", "etc", NoError, "/etc"},
        // No folder: never relative to the working folder.
        {"", std::nullopt, "", "Orvane", APIERR_BADPARS, ""},
        {"/a", "a", "/", "..", APIERR_BADPARS, "/a"},
        {"/x", "x", "/", "a/b", APIERR_BADPARS, "/x"},
        {"/x", "x", "/", "", APIERR_BADPARS, "/x"},
        {"name", "name", "", "", APIERR_BADPARS, "name"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path + " + " + c.name);
        const IO::Location location(GS::UniString(c.path, GS::CC_UTF8));
        IO::Name name;
        EXPECT_EQ(location.GetLastLocalName(&name) == NoError, c.last.has_value());
        EXPECT_EQ(name.ToString().ToCStr(GS::CC_UTF8), c.last.value_or(""));
        IO::Location parent = location;
        parent.DeleteLastLocalName();
        EXPECT_EQ(parent.ToNativePath(), c.parent);
        IO::Location appended = location;
        EXPECT_EQ(appended.AppendToLocal(IO::Name(c.name.c_str())), c.appendResult);
        EXPECT_EQ(appended.ToNativePath(), c.appended);
    }
}

// The add-on's own .ini to .dat renaming is tested with its settings; a hidden file's leading
// dot is no extension.
TEST(Location, HiddenNameHasNoExtension) {
    IO::Name hidden(".profile");
    hidden.DeleteExtension();
    EXPECT_EQ(hidden.ToString(), GS::UniString(".profile"));
}

// One redirect on every system: an absolute XDG_CONFIG_HOME names the folder; without one it is
// the system's own (on Windows %APPDATA%, which Wine sets from its registry, as Windows does).
TEST(FileSystem, UserApplicationDataFollowsXdgConfigHome) {
    EnvironmentVariable config("XDG_CONFIG_HOME");
    EnvironmentVariable home("HOME");
    home.Set("/home/tester");
#if defined(_WIN32)
    const std::string systemFolder = std::getenv("APPDATA");
#else
    const std::string systemFolder = "/home/tester/.config";
#endif
    const struct {
        const char* xdg;
        std::string expected;
    } cases[] = {
        {"/xdg/config", "/xdg/config"},
        {nullptr, systemFolder},
        {"", systemFolder},
        {"relative/config", systemFolder},  // only absolute paths count
        {"/x/\xCE\xA3\xE6\xB8\xAC", "/x/\xCE\xA3\xE6\xB8\xAC"},
#if defined(_WIN32)
        {"C:\\xdg\\config", "C:\\xdg\\config"},
        {"\\\\server\\share\\config", "\\\\server\\share\\config"},
#endif
    };
    for (const auto& c : cases) {
        config.Set(c.xdg);
        IO::Location location;
        EXPECT_EQ(IO::fileSystem.GetSpecialLocation(IO::FileSystem::UserApplicationData, &location),
                  NoError);
        EXPECT_EQ(location.ToNativePath(), c.expected) << (c.xdg ? c.xdg : "(unset)");
    }
}

TEST(FileSystem, CreateFolderTreeMakesWhatIsMissing) {
    TestFolder folder;
    IO::Location tree(GS::UniString(folder / "Orvane/Stakewise", GS::CC_UTF8));
    EXPECT_EQ(IO::fileSystem.CreateFolderTree(tree), NoError);
    EXPECT_TRUE(IO::fileSystem.IsFolder(tree));
    EXPECT_EQ(IO::fileSystem.CreateFolderTree(tree), NoError);  // already there

    WriteWholeFile(folder / "file", "x");
    IO::Location blocked(GS::UniString(folder / "file/sub", GS::CC_UTF8));
    EXPECT_NE(IO::fileSystem.CreateFolderTree(blocked), NoError);
    EXPECT_TRUE(IO::fileSystem.Exists(IO::Location(GS::UniString(folder / "file", GS::CC_UTF8))));
    EXPECT_FALSE(IO::fileSystem.Exists(blocked));
}

// A file's stamp changes with every new version of it, also when the length stays and the
// replacement is renamed over it; an untouched file keeps its stamp.
TEST(FileSystem, FileStampsTellVersionsApart) {
    namespace fs = std::filesystem;
    TestFolder folder;
    const std::string path = folder / "Stakewise.ini";
    const IO::Location file(GS::UniString(path, GS::CC_UTF8));
    const auto rewriteInPlace = [&] {
        std::fstream(IO::PathFromUtf8(path), std::ios::in | std::ios::out | std::ios::binary)
            << "SymbolSize=2";
    };
    const auto replaceBySave = [&] {
        IO::SafeFile save(file);
        ASSERT_EQ(save.Open(), NoError);
        ASSERT_EQ(save.WriteBin("SymbolSize=1", 12), NoError);
        ASSERT_EQ(save.Commit(), NoError);
    };
    const struct {
        const char* change;
        std::function<void()> apply;
        bool newFile;
    } cases[] = {
        {"rewritten in place, same length", rewriteInPlace, false},
        {"appended to", [&] { std::ofstream(IO::PathFromUtf8(path), std::ios::app) << "\r\n"; },
         false},
        {"replaced by a save with the same content", replaceBySave, true},
    };
    for (const auto& c : cases) {
        WriteWholeFile(path, "SymbolSize=1");
        // Backdated, so that a change within one tick of the file clock still shows.
        fs::last_write_time(IO::PathFromUtf8(path), fs::file_time_type::clock::now() - 1h);
        IO::FileStamp before, unchanged, after;
        ASSERT_EQ(IO::fileSystem.GetFileStamp(file, &before), NoError);
        ASSERT_EQ(IO::fileSystem.GetFileStamp(file, &unchanged), NoError);
        EXPECT_EQ(unchanged, before) << c.change;
        c.apply();
        ASSERT_EQ(IO::fileSystem.GetFileStamp(file, &after), NoError);
        EXPECT_NE(after, before) << c.change;
        EXPECT_EQ(after.inode != before.inode, c.newFile) << c.change;
    }
    IO::FileStamp missing;
    EXPECT_NE(IO::fileSystem.GetFileStamp(IO::Location(GS::UniString(folder / "none", GS::CC_UTF8)),
                                          &missing),
              NoError);
}

}  // namespace
