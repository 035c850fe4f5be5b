#include "IO/Location.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "IO/FileSystem.hpp"
#include "platform_test_folder.hpp"

namespace {

TEST(Location, AppendAndDeleteLocalNames) {
    const struct {
        std::string path;
        std::string name;
        GSErrCode appendResult;
        std::string appended;
    } cases[] = {
        {"/home/u", "a.ini", NoError, "/home/u/a.ini"},
        {"/home/u/", "a.ini", NoError, "/home/u/a.ini"},
        {"/", "etc", NoError, "/etc"},
        {"", "Orvane", APIERR_BADPARS, ""},  // no folder: never relative to the working folder
        {"/x", "", APIERR_BADPARS, "/x"},
        {"/x", "a/b", APIERR_BADPARS, "/x"},
        {"/x", "..", APIERR_BADPARS, "/x"},
    };
    for (const auto& c : cases) {
        IO::Location location(GS::UniString(c.path, GS::CC_UTF8));
        EXPECT_EQ(location.AppendToLocal(IO::Name(c.name.c_str())), c.appendResult) << c.path;
        EXPECT_EQ(location.ToNativePath(), c.appended);
    }
}

TEST(Location, LastLocalName) {
    const struct {
        std::string path;
        std::optional<std::string> last;
        std::string parent;
    } cases[] = {
        {"/a/b/c.ini", "c.ini", "/a/b"},
        {"/a/b/", "b", "/a"},
        {"/a", "a", "/"},
        {"name", "name", ""},
        {"/", std::nullopt, "/"},
        {"", std::nullopt, ""},
    };
    for (const auto& c : cases) {
        IO::Location location(GS::UniString(c.path, GS::CC_UTF8));
        IO::Name name;
        EXPECT_EQ(location.GetLastLocalName(&name) == NoError, c.last.has_value()) << c.path;
        if (c.last) {
            EXPECT_EQ(name.ToString().ToCStr(GS::CC_UTF8), *c.last);
        }
        location.DeleteLastLocalName();
        EXPECT_EQ(location.ToNativePath(), c.parent) << c.path;
    }
}

TEST(Location, ReplaceTheExtensionOfTheLastName) {
    IO::Location location(GS::UniString("/cfg/Stakewise.ini"));
    IO::Name name;
    ASSERT_EQ(location.GetLastLocalName(&name), NoError);
    name.DeleteExtension();
    name.AppendExtension(GS::UniString("dat"));
    ASSERT_EQ(location.SetLastLocalName(name), NoError);
    EXPECT_EQ(location.ToNativePath(), "/cfg/Stakewise.dat");

    IO::Name hidden(".profile");
    hidden.DeleteExtension();
    EXPECT_EQ(hidden.ToString(), GS::UniString(".profile"));
}

class EnvironmentVariable {
public:
    explicit EnvironmentVariable(const char* name) : name_(name) {
        if (const char* value = std::getenv(name)) saved_ = value;
    }
    ~EnvironmentVariable() {
        if (saved_)
            setenv(name_, saved_->c_str(), 1);
        else
            unsetenv(name_);
    }
    void Set(const char* value) { value ? setenv(name_, value, 1) : unsetenv(name_); }

private:
    const char* name_;
    std::optional<std::string> saved_;
};

TEST(FileSystem, UserApplicationDataFollowsXdgConfigHome) {
    EnvironmentVariable config("XDG_CONFIG_HOME");
    EnvironmentVariable home("HOME");
    home.Set("/home/tester");
    const struct {
        const char* xdg;
        std::string expected;
    } cases[] = {
        {"/xdg/config", "/xdg/config"},
        {nullptr, "/home/tester/.config"},
        {"", "/home/tester/.config"},
        {"relative/config", "/home/tester/.config"},  // only absolute paths count
        {"/x/\xCE\xA3\xE6\xB8\xAC", "/x/\xCE\xA3\xE6\xB8\xAC"},
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

}  // namespace
