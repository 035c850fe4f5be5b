// What the tests need of the operating system beyond the standard library and the platform;
// support/posix/ and support/win32/ hold the two implementations.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace test_system {

// Sets an environment variable of this process to a UTF-8 value; a null value removes it.
void SetEnvironmentValue(const char* name, const char* value);

// Runs check as a plain user, whom file permissions bind, and returns what it returned: on
// POSIX in a child process, which becomes "nobody" first when the tests run as root. Windows
// has no fork and no such change of user: check runs in this process.
bool RunUnprivileged(const std::function<bool()>& check);

// Runs check where the files of folder (a UTF-8 path) cannot be replaced and nothing can be
// added to it, and returns what check returned. POSIX: the folder is read-only and check runs
// in a child process as an unprivileged user ("nobody" when run as root, who may write into
// read-only folders). Windows has no fork and no such modes: the folder's files are read-only
// while check runs in this process.
bool RunWithFolderProtected(const std::string& folder, const std::function<bool()>& check);

// The memory of this process that is resident (its working set on Windows), in KiB.
long ResidentKiB();
// How many files this process holds open; on Windows, how many handles of any kind.
long OpenFileCount();

// The unprivileged user that root's tests run as: "nobody".
constexpr int kPlainUserId = 65534;

// Gives path (a symbolic link itself, not its target) to user and the group of that id; only
// for root, so never on Windows.
void HandOver(const std::filesystem::path& path, int user);
// Whether this process has root's rights, which pass every file permission; never on Windows.
bool RunsAsRoot();

// A file's permission bits, owner and group, through symbolic links; false when it is missing.
// Windows has one such bit, read-only: 0444 or 0666, and owner and group 0.
bool PermissionsOf(const std::filesystem::path& path, unsigned* mode, unsigned* owner,
                   unsigned* group);

// Holds the file open as a save holds its temporary file while it writes it (POSIX: under an
// exclusive flock; Windows: shared with nobody) until the result is destroyed; null when the
// file cannot be opened.
std::shared_ptr<void> HoldAsSaveDoes(const std::filesystem::path& path);

}  // namespace test_system
