// IO::Name and IO::Location: a file system path as Unicode text. Nothing is lost on the way to
// the file system: the path reaches it as UTF-8.
#pragma once

#include "GS/Compiler.hpp"
#include "GS/UniString.hpp"

namespace IO {

class PLATFORM_API Name {
public:
    Name() = default;
    Name(const GS::UniString& name) : name_(name) {}
    Name(const char* name) : name_(name, GS::CC_UTF8) {}
    const GS::UniString& ToString() const { return name_; }
    bool HasExtension() const;  // a dot after the first character ("a.txt", not ".profile")
    GSErrCode DeleteExtension();
    GSErrCode AppendExtension(const GS::UniString& extension);

private:
    GS::UniString name_;
};

class PLATFORM_API Location {
public:
    Location() = default;
    explicit Location(const GS::UniString& path) : path_(path) {}

    bool IsEmpty() const { return path_.IsEmpty(); }
    GSErrCode AppendToLocal(const Name& name);
    GSErrCode DeleteLastLocalName();
    GSErrCode GetLastLocalName(Name* name) const;
    GSErrCode SetLastLocalName(const Name& name);
    GSErrCode ToPath(GS::UniString* path) const;
    std::string ToNativePath() const { return path_.ToCStr(GS::CC_UTF8); }  // UTF-8

    friend bool operator==(const Location&, const Location&) = default;

private:
    GS::UniString path_;
};

}  // namespace IO
