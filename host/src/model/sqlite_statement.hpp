// A prepared SQLite statement that finalizes itself; errors become std::runtime_error.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace planhost {

class Statement {
public:
    Statement(sqlite3* db, const char* sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& Bind(int index, std::int64_t value);
    Statement& Bind(int index, double value);
    Statement& BindText(int index, std::string_view text);
    Statement& BindBlob(int index, std::string_view bytes);
    Statement& BindNull(int index);

    bool Step();  // true while a row is there
    void Run();   // steps to the end, then resets for the next use
    void Reset();

    std::int64_t Int(int column) const;
    double Real(int column) const;
    std::string_view Text(int column) const;
    std::string_view Blob(int column) const;
    bool IsNull(int column) const;

private:
    void Check(int code) const;

    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
};

}  // namespace planhost
