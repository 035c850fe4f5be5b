#include "model/project.hpp"

#include <sqlite3.h>

#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "model/sqlite_statement.hpp"

namespace planhost {

namespace {

constexpr const char* kFormatName = "planhost project 1";

// The columns of an object, in the elements table and in each undo entry alike.
constexpr const char* kElementColumns =
    "ord, guid, part, a, b, x, y, z, angle, floor, layer, draw, stamp, has_memo, id, params";
constexpr int kElementColumnCount = 16;

constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS meta (key TEXT PRIMARY KEY, value TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS param_lists (id INTEGER PRIMARY KEY, data BLOB NOT NULL);
CREATE TABLE IF NOT EXISTS elements (
    ord INTEGER PRIMARY KEY, guid BLOB NOT NULL UNIQUE, part TEXT NOT NULL,
    a REAL, b REAL, x REAL, y REAL, z REAL, angle REAL,
    floor INTEGER, layer INTEGER, draw INTEGER, stamp INTEGER, has_memo INTEGER,
    id BLOB, params INTEGER);
CREATE TABLE IF NOT EXISTS undo_steps (id INTEGER PRIMARY KEY, title TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS undo_entries (
    step INTEGER NOT NULL, pos INTEGER NOT NULL, entry_guid BLOB NOT NULL, existed INTEGER NOT NULL,
    ord INTEGER, guid BLOB, part TEXT,
    a REAL, b REAL, x REAL, y REAL, z REAL, angle REAL,
    floor INTEGER, layer INTEGER, draw INTEGER, stamp INTEGER, has_memo INTEGER,
    id BLOB, params INTEGER,
    PRIMARY KEY (step, pos)) WITHOUT ROWID;
)sql";

std::string_view GuidBlob(const API_Guid& guid) {
    return {reinterpret_cast<const char*>(&guid), sizeof guid};
}

API_Guid GuidOf(std::string_view blob) {
    API_Guid guid{};
    if (blob.size() == sizeof guid) std::memcpy(&guid, blob.data(), sizeof guid);
    return guid;
}

void BindElement(Statement& statement, int first, const ObjectElement& element) {
    statement.Bind(first, element.order)
        .BindBlob(first + 1, GuidBlob(element.guid))
        .BindText(first + 2, element.part)
        .Bind(first + 3, element.a)
        .Bind(first + 4, element.b)
        .Bind(first + 5, element.x)
        .Bind(first + 6, element.y)
        .Bind(first + 7, element.z)
        .Bind(first + 8, element.angle)
        .Bind(first + 9, std::int64_t(element.floorInd))
        .Bind(first + 10, std::int64_t(element.layer))
        .Bind(first + 11, std::int64_t(element.drawIndex))
        .Bind(first + 12, std::int64_t(element.modiStamp))
        .Bind(first + 13, std::int64_t(element.hasMemo));
    if (element.hasMemo) {
        statement.BindBlob(first + 14, {reinterpret_cast<const char*>(element.id.data()),
                                        element.id.size() * sizeof(char16_t)});
    } else {
        statement.BindNull(first + 14);
    }
    if (element.params) {
        statement.Bind(first + 15, element.params->id);
    } else {
        statement.BindNull(first + 15);
    }
}

ObjectElement ReadElement(const Statement& row, int first, const Project::ParametersById& params) {
    ObjectElement element;
    element.order = row.Int(first);
    element.guid = GuidOf(row.Blob(first + 1));
    element.part = std::string(row.Text(first + 2));
    element.a = row.Real(first + 3);
    element.b = row.Real(first + 4);
    element.x = row.Real(first + 5);
    element.y = row.Real(first + 6);
    element.z = row.Real(first + 7);
    element.angle = row.Real(first + 8);
    element.floorInd = Int16(row.Int(first + 9));
    element.layer = Int16(row.Int(first + 10));
    element.drawIndex = UInt8(row.Int(first + 11));
    element.modiStamp = UInt64(row.Int(first + 12));
    element.hasMemo = row.Int(first + 13) != 0;
    std::string_view id = row.Blob(first + 14);
    element.id.resize(id.size() / sizeof(char16_t));
    if (!element.id.empty())  // an element without memo has no ID text, and SQLite no blob
        std::memcpy(element.id.data(), id.data(), element.id.size() * sizeof(char16_t));
    if (!row.IsNull(first + 15)) element.params = params(row.Int(first + 15));
    return element;
}

std::string Placeholders(int count) {
    std::string text = "?";
    for (int i = 1; i < count; ++i) text += ", ?";
    return text;
}

}  // namespace

Project::Project(const std::string& path, ProjectAccess access)
    : path_(path), readOnly_(access == ProjectAccess::kRead) {
    // An empty file is an empty project, which a run that only reads must not write its tables
    // into: it reads an empty copy in memory instead.
    std::error_code error;
    const bool emptyFile = readOnly_ && std::filesystem::file_size(path, error) == 0 && !error;
    const int create =
        access == ProjectAccess::kCreateOrChange || emptyFile ? SQLITE_OPEN_CREATE : 0;
    if (sqlite3_open_v2(emptyFile ? ":memory:" : path.c_str(), &db_, SQLITE_OPEN_READWRITE | create,
                        nullptr) != SQLITE_OK) {
        std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close(db_);
        throw std::runtime_error(message);
    }
    try {
        sqlite3_busy_timeout(db_, 5000);
        // Room for the pages that one command's save touches at random (the GUID index of a
        // survey-sized plan), so that a save does not spill and re-read them; used only as needed.
        Execute("PRAGMA cache_size = -65536");
        // A run that only reads takes no write lock: it does not wait for, or hold up, a save.
        if (readOnly_ && !emptyFile) {
            CheckFormat();
        } else {
            CreateTables();
        }
    } catch (const std::exception& error) {
        sqlite3_close(db_);
        db_ = nullptr;
        throw;
    }
}

Project::~Project() {
    sqlite3_close(db_);
}

void Project::CreateTables() {
    Execute("BEGIN IMMEDIATE");
    Execute(kSchema);
    Statement format(db_, "SELECT value FROM meta WHERE key = 'format'");
    if (!format.Step()) {
        Statement insert(db_, "INSERT INTO meta VALUES ('format', ?)");
        insert.BindText(1, kFormatName).Run();
    } else if (format.Text(0) != kFormatName) {
        throw std::runtime_error("not a project of this planhost");
    }
    Execute("COMMIT");
}

void Project::CheckFormat() {
    Statement tables(db_,
                     "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name IN "
                     "('meta', 'param_lists', 'elements', 'undo_steps', 'undo_entries')");
    tables.Step();
    bool isProject = tables.Int(0) == 5;
    if (isProject) {
        Statement format(db_, "SELECT value FROM meta WHERE key = 'format'");
        isProject = format.Step() && format.Text(0) == kFormatName;
    }
    if (!isProject) throw std::runtime_error("not a project of this planhost");
}

void Project::ReadConsistently(const std::function<void()>& read) {
    Execute("BEGIN");
    try {
        read();
        Execute("COMMIT");
    } catch (...) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

void Project::Execute(const char* sql) {
    char* message = nullptr;
    if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        std::string text = message ? message : "unknown error";
        sqlite3_free(message);
        throw std::runtime_error("project file: " + text);
    }
}

void Project::LoadParameterLists(const std::function<void(std::int64_t, ParameterList)>& take) {
    Statement rows(db_, "SELECT id, data FROM param_lists");
    while (rows.Step()) {
        ParameterList list;
        if (!DecodeParameters(rows.Blob(1), &list)) {
            throw std::runtime_error("project file: a parameter list is damaged");
        }
        take(rows.Int(0), std::move(list));
    }
}

void Project::LoadElements(const ParametersById& params,
                           const std::function<void(ObjectElement&&)>& take) {
    std::string sql = std::string("SELECT ") + kElementColumns + " FROM elements ORDER BY ord";
    Statement rows(db_, sql.c_str());
    while (rows.Step()) take(ReadElement(rows, 0, params));
}

std::int64_t Project::ElementCount() {
    Statement count(db_, "SELECT count(*) FROM elements");
    count.Step();
    return count.Int(0);
}

std::int64_t Project::LastOrder() {
    Statement last(db_, "SELECT coalesce(max(ord), 0) FROM elements");
    last.Step();
    return last.Int(0);
}

std::optional<UndoStep> Project::NewestStep(std::int64_t below, const ParametersById& params) {
    Statement newest(db_,
                     "SELECT id, title FROM undo_steps WHERE ?1 = 0 OR id < ?1 "
                     "ORDER BY id DESC LIMIT 1");
    newest.Bind(1, below);
    if (!newest.Step()) return std::nullopt;
    UndoStep step;
    step.id = newest.Int(0);
    step.title = std::string(newest.Text(1));
    std::string sql = std::string("SELECT entry_guid, existed, ") + kElementColumns +
                      " FROM undo_entries WHERE step = ? ORDER BY pos";
    Statement entries(db_, sql.c_str());
    entries.Bind(1, step.id);
    while (entries.Step()) {
        UndoEntry entry;
        entry.guid = GuidOf(entries.Blob(0));
        if (entries.Int(1) != 0)
            entry.before = std::make_unique<ObjectElement>(ReadElement(entries, 2, params));
        step.entries.push_back(std::move(entry));
    }
    return step;
}

void Project::Save(const ProjectChanges& changes) {
    if (readOnly_) throw std::runtime_error("this command may only read the project");
    Execute("BEGIN IMMEDIATE");
    try {
        Statement list(db_, "INSERT OR REPLACE INTO param_lists VALUES (?, ?)");
        for (const SharedParameters& shared : changes.newParameterLists)
            list.Bind(1, shared->id).BindBlob(2, EncodeParameters(shared->list)).Run();
        std::string upsertSql = std::string("INSERT OR REPLACE INTO elements (") + kElementColumns +
                                ") VALUES (" + Placeholders(kElementColumnCount) + ")";
        Statement upsert(db_, upsertSql.c_str());
        for (const ObjectElement* element : changes.storedElements) {
            BindElement(upsert, 1, *element);
            upsert.Run();
        }
        Statement remove(db_, "DELETE FROM elements WHERE guid = ?");
        for (const API_Guid& guid : changes.removedElements)
            remove.BindBlob(1, GuidBlob(guid)).Run();
        Statement removeStep(db_, "DELETE FROM undo_steps WHERE id = ?");
        Statement removeEntries(db_, "DELETE FROM undo_entries WHERE step = ?");
        for (std::int64_t id : changes.removedSteps) {
            removeStep.Bind(1, id).Run();
            removeEntries.Bind(1, id).Run();
        }
        Statement addStep(db_, "INSERT INTO undo_steps (title) VALUES (?)");
        std::string entrySql = std::string(
                                   "INSERT INTO undo_entries (step, pos, entry_guid, "
                                   "existed, ") +
                               kElementColumns + ") VALUES (" +
                               Placeholders(kElementColumnCount + 4) + ")";
        Statement addEntry(db_, entrySql.c_str());
        for (const UndoStep* step : changes.newSteps) {
            addStep.BindText(1, step->title).Run();
            std::int64_t id = sqlite3_last_insert_rowid(db_);
            std::int64_t position = 0;
            for (const UndoEntry& entry : step->entries) {
                addEntry.Bind(1, id).Bind(2, position++).BindBlob(3, GuidBlob(entry.guid));
                addEntry.Bind(4, std::int64_t(entry.before != nullptr));
                if (entry.before) {
                    BindElement(addEntry, 5, *entry.before);
                } else {
                    for (int column = 5; column < 5 + kElementColumnCount; ++column)
                        addEntry.BindNull(column);
                }
                addEntry.Run();
            }
        }
        Execute("COMMIT");
    } catch (...) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

}  // namespace planhost
