// Windows handles as the C runtime descriptors that the file classes keep.
#pragma once

#include <windows.h>

namespace IO::win32 {

// A descriptor that owns handle from then on; -1 (and the handle closed) on failure.
int AdoptHandle(HANDLE handle);
HANDLE HandleOf(int fd);

}  // namespace IO::win32
