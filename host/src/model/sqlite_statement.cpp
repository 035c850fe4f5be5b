#include "model/sqlite_statement.hpp"

#include <stdexcept>

namespace planhost {

Statement::Statement(sqlite3* db, const char* sql) : db_(db) {
    Check(sqlite3_prepare_v2(db, sql, -1, &statement_, nullptr));
}

Statement::~Statement() {
    sqlite3_finalize(statement_);
}

void Statement::Check(int code) const {
    if (code != SQLITE_OK && code != SQLITE_ROW && code != SQLITE_DONE) {
        throw std::runtime_error(std::string("project file: ") + sqlite3_errmsg(db_));
    }
}

Statement& Statement::Bind(int index, std::int64_t value) {
    Check(sqlite3_bind_int64(statement_, index, value));
    return *this;
}

Statement& Statement::Bind(int index, double value) {
    Check(sqlite3_bind_double(statement_, index, value));
    return *this;
}

Statement& Statement::BindText(int index, std::string_view text) {
    Check(sqlite3_bind_text64(statement_, index, text.data(), text.size(), SQLITE_TRANSIENT,
                              SQLITE_UTF8));
    return *this;
}

Statement& Statement::BindBlob(int index, std::string_view bytes) {
    // A zero-length blob must not become NULL.
    Check(sqlite3_bind_blob64(statement_, index, bytes.empty() ? "" : bytes.data(), bytes.size(),
                              SQLITE_TRANSIENT));
    return *this;
}

Statement& Statement::BindNull(int index) {
    Check(sqlite3_bind_null(statement_, index));
    return *this;
}

bool Statement::Step() {
    int code = sqlite3_step(statement_);
    Check(code);
    return code == SQLITE_ROW;
}

void Statement::Run() {
    while (Step()) {
    }
    Reset();
}

void Statement::Reset() {
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
}

std::int64_t Statement::Int(int column) const {
    return sqlite3_column_int64(statement_, column);
}

double Statement::Real(int column) const {
    return sqlite3_column_double(statement_, column);
}

std::string_view Statement::Text(int column) const {
    auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    return text == nullptr
               ? std::string_view{}
               : std::string_view(text, std::size_t(sqlite3_column_bytes(statement_, column)));
}

std::string_view Statement::Blob(int column) const {
    auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement_, column));
    return bytes == nullptr
               ? std::string_view{}
               : std::string_view(bytes, std::size_t(sqlite3_column_bytes(statement_, column)));
}

bool Statement::IsNull(int column) const {
    return sqlite3_column_type(statement_, column) == SQLITE_NULL;
}

}  // namespace planhost
