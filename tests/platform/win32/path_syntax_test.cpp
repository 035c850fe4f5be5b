// Windows paths in Location: either separator, drive and network roots, Unix paths as Wine
// takes them.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "IO/FileSystem.hpp"
#include "IO/Location.hpp"
#include "platform_test_folder.hpp"

namespace {

IO::Location LocationOf(const std::string& utf8Path) {
    return IO::Location(GS::UniString(utf8Path, GS::CC_UTF8));
}

TEST(PathSyntax, NamesAreJoinedWithTheSeparatorThePathUses) {
    const struct {
        std::string path;
        std::string name;
        GSErrCode result;
        std::string joined;
    } cases[] = {
        {"C:\\Users\\u", "a.ini", NoError, "C:\\Users\\u\\a.ini"},
        {"C:\\Users\\u\\", "a.ini", NoError, "C:\\Users\\u\\a.ini"},
        {"C:\\", "x", NoError, "C:\\x"},
        {"\\\\server\\share", "x", NoError, "\\\\server\\share\\x"},
        {"C:/Users/u", "a.ini", NoError, "C:/Users/u/a.ini"},
        {"/tmp/x", "a.ini", NoError, "/tmp/x/a.ini"},
        {"C:\\x", "a\\b", APIERR_BADPARS, "C:\\x"},  // either separator splits a name
        {"C:\\x", "a/b", APIERR_BADPARS, "C:\\x"},
    };
    for (const auto& c : cases) {
        IO::Location location = LocationOf(c.path);
        EXPECT_EQ(location.AppendToLocal(IO::Name(c.name.c_str())), c.result) << c.path;
        EXPECT_EQ(location.ToNativePath(), c.joined) << c.path;
    }
}

// A file dialog that adds the extension renames the last name: the user's separator stays.
TEST(PathSyntax, ARenamedLastNameKeepsItsSeparator) {
    const struct {
        std::string path;
        std::string joined;
    } cases[] = {
        {"folder/out", "folder/out.txt"},
        {"C:\\a/out", "C:\\a/out.txt"},
        {"C:\\a\\out\\", "C:\\a\\out.txt"},
        {"out", "out.txt"},
    };
    for (const auto& c : cases) {
        IO::Location location = LocationOf(c.path);
        EXPECT_EQ(location.SetLastLocalName(IO::Name("out.txt")), NoError) << c.path;
        EXPECT_EQ(location.ToNativePath(), c.joined) << c.path;
    }
}

TEST(PathSyntax, RootsHaveNoLastName) {
    const struct {
        std::string path;
        std::optional<std::string> last;
        std::string parent;
    } cases[] = {
        {"C:\\a\\b.ini", "b.ini", "C:\\a"},
        {"C:\\a\\", "a", "C:\\"},
        {"C:\\a", "a", "C:\\"},
        {"C:/a/b", "b", "C:/a"},
        {"C:\\", std::nullopt, "C:\\"},
        {"C:", std::nullopt, "C:"},
        {"C:a", "a", "C:"},  // relative to the drive's working folder
        {"\\\\server\\share\\a", "a", "\\\\server\\share\\"},
        {"\\\\server\\share\\", std::nullopt, "\\\\server\\share\\"},
        {"\\\\server\\share", std::nullopt, "\\\\server\\share"},
        {"\\a", "a", "\\"},
        {"a\\b", "b", "a"},
    };
    for (const auto& c : cases) {
        IO::Location location = LocationOf(c.path);
        IO::Name name;
        EXPECT_EQ(location.GetLastLocalName(&name) == NoError, c.last.has_value()) << c.path;
        if (c.last) {
            EXPECT_EQ(name.ToString().ToCStr(GS::CC_UTF8), *c.last) << c.path;
        }
        location.DeleteLastLocalName();
        EXPECT_EQ(location.ToNativePath(), c.parent) << c.path;
    }
}

TEST(PathSyntax, FolderTreesGrowBelowADriveRoot) {
    TestFolder folder;
    const std::string backslashed = folder.Path() + "\\Orvane\\Stakewise";
    const IO::Location tree = LocationOf(backslashed);
    EXPECT_EQ(IO::fileSystem.CreateFolderTree(tree), NoError);
    EXPECT_TRUE(IO::fileSystem.IsFolder(tree));
    EXPECT_EQ(IO::fileSystem.CreateFolderTree(LocationOf("C:\\")), NoError);  // the root is there
}

}  // namespace
