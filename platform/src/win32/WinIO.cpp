#include "WinIO.hpp"

#include <fcntl.h>
#include <io.h>

namespace IO::win32 {

int AdoptHandle(HANDLE handle) {
    const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_BINARY);
    if (fd < 0) ::CloseHandle(handle);
    return fd;
}

HANDLE HandleOf(int fd) {
    return reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
}

}  // namespace IO::win32
