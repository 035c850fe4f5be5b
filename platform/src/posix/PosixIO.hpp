// Small POSIX helpers shared by the file classes: whole writes and reads that survive
// interrupted system calls, and the folder part of a path.
#pragma once

#include <cstddef>
#include <string>

namespace IO::posix {

bool WriteAll(int fd, const char* buffer, std::size_t length);
// How many bytes were read (fewer only at the end of the file); -1 on a read error.
long ReadUpTo(int fd, char* buffer, std::size_t length);
// The folder of a path ("." for a bare name); "/" for the root.
std::string FolderOf(const std::string& path);
// Flushes a folder's entries (a rename or a new file in it) to stable storage.
bool SyncFolder(const std::string& folder);

}  // namespace IO::posix
