// What File and SafeFile do with an open file that differs between systems; posix/ and win32/
// implement it. An open file is an int descriptor on both (on Windows a C runtime descriptor
// over the file's handle), so that the classes have one layout everywhere.
#pragma once

#include <cstddef>

#include "IO/File.hpp"

namespace IO::descriptors {

// The regular file at location, opened for mode and created first when create is set; -1 when
// it cannot be opened or is no regular file (a folder, a pipe, a device).
int Open(const Location& location, File::OpenMode mode, bool create);
bool Close(int fd);
// How many bytes were read (fewer only at the end of the file); -1 on a read error.
long long ReadUpTo(int fd, char* buffer, std::size_t length);
bool WriteAll(int fd, const char* buffer, std::size_t length);
bool Sync(int fd);  // the content on stable storage
bool LengthOf(int fd, UInt64* length);
bool LengthOf(const Location& location, UInt64* length);

}  // namespace IO::descriptors
