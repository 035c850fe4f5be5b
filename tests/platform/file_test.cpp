#include "IO/File.hpp"

#include <gtest/gtest.h>
#if !defined(_WIN32)
#include <sys/stat.h>  // POSIX modes and symbolic links, tested at the end
#include <unistd.h>
#endif

#include <filesystem>
#include <string>

#include "IO/FileSystem.hpp"
#include "platform_test_folder.hpp"

namespace {

IO::Location LocationOf(const std::string& utf8Path) {
    return IO::Location(GS::UniString(utf8Path, GS::CC_UTF8));
}

// Names beyond the 8-bit code page, and one that is not UTF-8 at all (Latin-1 bytes), which
// only POSIX file systems hold: Windows names are UTF-16.
const std::string FileNames[] = {
    "plain.ini",
    "Stra\xC3\x9F\x65 \xC3\xA4\xC3\xB6.ini",
    "\xCE\xA3\xCE\xB7\xCE\xBC\xCE\xB5\xCE\xAF\xCE\xB1.ini",
    "\xE6\xB8\xAC\xE9\x87\x8F\xE7\x82\xB9.ini",
#if !defined(_WIN32)
    "caf\xE9.ini",
#endif
};

GSErrCode ReplaceWith(const IO::Location& target, const std::string& content) {
    IO::SafeFile file(target);
    GSErrCode err = file.Open();
    if (err == NoError) err = file.WriteBin(content.data(), GS::USize(content.size()));
    return err == NoError ? file.Commit() : err;
}

int EntriesIn(const std::string& folder) {
    return int(std::distance(std::filesystem::directory_iterator(IO::PathFromUtf8(folder)),
                             std::filesystem::directory_iterator()));
}

// Each name is written, read back and measured as a plain file, then replaced by a save.
TEST(File, WritesReadsMeasuresAndReplacesFilesOfAnyName) {
    TestFolder folder;
    for (const std::string& name : FileNames) {
        SCOPED_TRACE(name);
        IO::File out(LocationOf(folder / name), IO::File::Create);
        ASSERT_EQ(out.Open(IO::File::WriteEmptyMode), NoError);
        EXPECT_EQ(out.WriteBin("abc", 3), NoError);
        out.Close();
        EXPECT_EQ(ReadWholeFile(folder / name), "abc");

        IO::File in(LocationOf(folder / name));
        ASSERT_EQ(in.Open(IO::File::ReadMode), NoError);
        UInt64 length = 0;
        EXPECT_EQ(in.GetDataLength(&length), NoError);
        EXPECT_EQ(length, 3u);
        char buffer[8] = {};
        GS::USize read = 0;
        EXPECT_EQ(in.ReadBin(buffer, 8, &read), NoError);
        EXPECT_EQ(read, 3u);
        EXPECT_EQ(in.ReadBin(buffer, 1, &read), APIERR_GENERAL);  // at the end
        EXPECT_EQ(read, 0u);
        in.Close();

        EXPECT_EQ(ReplaceWith(LocationOf(folder / name), "new"), NoError);
        EXPECT_EQ(ReadWholeFile(folder / name), "new");
        EXPECT_EQ(ReplaceWith(LocationOf(folder / ("fresh-" + name)), "made"), NoError);
        EXPECT_EQ(ReadWholeFile(folder / ("fresh-" + name)), "made");
    }
    EXPECT_EQ(EntriesIn(folder.Path()), 2 * int(std::size(FileNames)));  // no temporary left
}

TEST(File, RefusesWhatCannotBeOpened) {
    TestFolder folder;
    const struct {
        std::string path;
        IO::File::OnNotFound onNotFound;
    } cases[] = {
        {folder / "missing", IO::File::Fail},
        {folder.Path(), IO::File::Fail},  // a folder is no file
        {folder / "no/such/folder", IO::File::Create},
        {"", IO::File::Create},
    };
    for (const auto& c : cases) {
        IO::File file(LocationOf(c.path), c.onNotFound);
        EXPECT_NE(file.Open(IO::File::ReadMode), NoError) << c.path;
        EXPECT_FALSE(file.IsOpen());
        EXPECT_NE(file.WriteBin("x", 1), NoError);
    }
}

TEST(SafeFile, KeepsTheOldFileUnlessCommitted) {
    TestFolder folder;
    const std::string target = folder / "Stakewise.ini";
    WriteWholeFile(target, "old");
    {
        IO::SafeFile uncommitted(LocationOf(target));
        ASSERT_EQ(uncommitted.Open(), NoError);
        EXPECT_EQ(uncommitted.WriteBin("new", 3), NoError);
        EXPECT_EQ(EntriesIn(folder.Path()), 2);
    }
    {
        IO::SafeFile failed(LocationOf(target));
        ASSERT_EQ(failed.Open(), NoError);
        EXPECT_EQ(failed.WriteBin("ne", 2), NoError);
        EXPECT_NE(failed.WriteBin(nullptr, 5), NoError);  // a failed write spoils the file
        EXPECT_NE(failed.Commit(), NoError);
    }
    EXPECT_EQ(ReadWholeFile(target), "old");
    EXPECT_EQ(EntriesIn(folder.Path()), 1);
    EXPECT_NE(ReplaceWith(LocationOf(folder / "missing/Stakewise.ini"), "x"), NoError);
    EXPECT_NE(ReplaceWith(LocationOf(folder.Path()), "x"), NoError);  // a folder stays
}

#if !defined(_WIN32)
// POSIX modes and symbolic links: Windows has neither in this form.
mode_t ModeOf(const std::string& path) {
    struct stat info {};
    stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

TEST(SafeFile, KeepsPermissions) {
    TestFolder folder;
    for (mode_t mode : {0600, 0640, 0604, 0755}) {
        const std::string target = folder / "perm";
        WriteWholeFile(target, "old");
        chmod(target.c_str(), mode);
        EXPECT_EQ(ReplaceWith(LocationOf(target), "new"), NoError);
        EXPECT_EQ(ModeOf(target), mode);
    }
    const mode_t mask = umask(022);
    EXPECT_EQ(ReplaceWith(LocationOf(folder / "fresh"), "x"), NoError);
    EXPECT_EQ(ModeOf(folder / "fresh"), mode_t(0644));
    umask(mask);
}

TEST(SafeFile, WritesThroughSymbolicLinks) {
    TestFolder folder;
    std::filesystem::create_directory(folder / "real");
    WriteWholeFile(folder / "real/settings.ini", "old");
    const struct {
        std::string link;
        std::string to;
    } links[] = {
        {folder / "absolute.ini", folder / "real/settings.ini"},
        {folder / "relative.ini", "real/settings.ini"},
        {folder / "chained.ini", "relative.ini"},
    };
    for (const auto& l : links) ASSERT_EQ(symlink(l.to.c_str(), l.link.c_str()), 0);
    for (const auto& l : links) {
        EXPECT_EQ(ReplaceWith(LocationOf(l.link), l.link), NoError);
        EXPECT_TRUE(std::filesystem::is_symlink(l.link));
        EXPECT_EQ(ReadWholeFile(folder / "real/settings.ini"), l.link);
    }
    ASSERT_EQ(symlink("loop.ini", (folder / "loop.ini").c_str()), 0);
    EXPECT_NE(ReplaceWith(LocationOf(folder / "loop.ini"), "x"), NoError);
}
#endif

}  // namespace
