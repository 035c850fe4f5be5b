// What the tests need of the operating system beyond the standard library and the platform;
// support/posix/ and support/win32/ hold the two implementations.
#pragma once

#include <functional>
#include <string>

namespace test_system {

// Sets an environment variable of this process to a UTF-8 value; a null value removes it.
void SetEnvironmentValue(const char* name, const char* value);

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

}  // namespace test_system
