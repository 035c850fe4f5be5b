// IO::File: one open file. Closed by Close or by destruction. Not thread-safe.
#pragma once

#include "GS/Compiler.hpp"
#include "IO/Location.hpp"

namespace IO {

class PLATFORM_API File {
public:
    enum OnNotFound { Fail, Create };
    enum OpenMode {
        ReadMode,   // existing file, for reading
        WriteMode,  // for writing from the start, keeping what is not overwritten
        ReadWriteMode,
        WriteEmptyMode,  // for writing; the content is replaced (truncated on open)
    };

    explicit File(const Location& location, OnNotFound onNotFound = Fail);
    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    GSErrCode GetStatus() const { return status_; }  // NoError when the location is usable
    GSErrCode Open(OpenMode mode);
    GSErrCode Close();
    bool IsOpen() const { return fd_ >= 0; }
    // Reads up to length bytes; read gets how many. Fewer than length at the end of the file,
    // with the error code APIERR_GENERAL when nothing could be read.
    GSErrCode ReadBin(char* buffer, GS::USize length, GS::USize* read = nullptr);
    GSErrCode WriteBin(const char* buffer, GS::USize length);  // all bytes or an error
    GSErrCode GetDataLength(UInt64* length) const;
    GSErrCode Sync();  // content on stable storage

private:
    Location location_;
    OnNotFound onNotFound_;
    GSErrCode status_ = NoError;
    int fd_ = -1;
};

}  // namespace IO
