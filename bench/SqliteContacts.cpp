#include "SqliteContacts.h"

#include <sqlite3.h>

#include <filesystem>
#include <stdexcept>

namespace {

void Check(sqlite3* db, int result, const char* what) {
  if (result != SQLITE_OK && result != SQLITE_DONE && result != SQLITE_ROW) {
    throw std::runtime_error(std::string(what) + ": " + (db ? sqlite3_errmsg(db) : "no database"));
  }
}

void Execute(sqlite3* db, const std::string& sql) {
  Check(db, sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), sql.c_str());
}

sqlite3* OpenDatabase(const std::string& path) {
  sqlite3* db = nullptr;
  const int result = sqlite3_open(path.c_str(), &db);
  if (result != SQLITE_OK) {
    sqlite3_close(db);
    throw std::runtime_error("cannot open " + path);
  }
  return db;
}

void BindText(sqlite3_stmt* statement, int slot, const std::string& text) {
  sqlite3_bind_text(statement, slot, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

void BindContact(sqlite3_stmt* statement, const TContact& contact) {
  BindText(statement, 1, contact.name);
  BindText(statement, 2, contact.house);
  BindText(statement, 3, contact.work);
  BindText(statement, 4, contact.mobile);
  sqlite3_bind_double(statement, 5, contact.birth);
  BindText(statement, 6, contact.note);
}

constexpr const char* kInsert =
    "INSERT INTO contacts(name, house, work, mobile, birth, note) VALUES(?, ?, ?, ?, ?, ?)";

}  // namespace

void TSqliteContacts::Build(const std::string& path, const std::vector<TContact>& contacts) {
  for (const char* suffix : {"", "-journal", "-wal", "-shm"}) std::filesystem::remove(path + suffix);
  sqlite3* db = OpenDatabase(path);
  try {
    Execute(db, "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF");
    Execute(db,
            "CREATE TABLE contacts(id INTEGER PRIMARY KEY, name TEXT, house TEXT, work TEXT, "
            "mobile TEXT, birth REAL, note TEXT)");
    Execute(db, "BEGIN");
    sqlite3_stmt* insert = nullptr;
    Check(db, sqlite3_prepare_v2(db, kInsert, -1, &insert, nullptr), kInsert);
    for (const TContact& contact : contacts) {
      BindContact(insert, contact);
      const int result = sqlite3_step(insert);
      sqlite3_reset(insert);
      Check(db, result, "insert");
    }
    sqlite3_finalize(insert);
    Execute(db, "CREATE INDEX contacts_name ON contacts(name)");
    Execute(db, "COMMIT");
  } catch (...) {
    sqlite3_close(db);
    throw;
  }
  sqlite3_close(db);
}

TSqliteContacts::TSqliteContacts(const std::string& path, const std::string& journalMode)
    : db_(OpenDatabase(path)) {
  try {
    Execute(db_, "PRAGMA journal_mode=" + journalMode);
    Execute(db_, "PRAGMA synchronous=FULL");
    insert_ = Prepare(kInsert);
    rename_ = Prepare("UPDATE contacts SET name = ? WHERE id = ?");
    remove_ = Prepare("DELETE FROM contacts WHERE id = ?");
    firstByName_ = Prepare("SELECT id FROM contacts ORDER BY name LIMIT 1");
  } catch (...) {
    Release();
    throw;
  }
}

TSqliteContacts::~TSqliteContacts() { Release(); }

void TSqliteContacts::Release() {
  for (sqlite3_stmt* statement : {insert_, rename_, remove_, firstByName_}) sqlite3_finalize(statement);
  sqlite3_close(db_);
}

sqlite3_stmt* TSqliteContacts::Prepare(const char* sql) {
  sqlite3_stmt* statement = nullptr;
  Check(db_, sqlite3_prepare_v2(db_, sql, -1, &statement, nullptr), sql);
  return statement;
}

namespace {

// Runs a prepared statement to its end and makes it ready for the next run.
void Run(sqlite3* db, sqlite3_stmt* statement, const char* what) {
  const int result = sqlite3_step(statement);
  sqlite3_reset(statement);
  Check(db, result, what);
}

}  // namespace

std::int64_t TSqliteContacts::Insert(const TContact& contact) {
  BindContact(insert_, contact);
  Run(db_, insert_, "insert");
  return sqlite3_last_insert_rowid(db_);
}

void TSqliteContacts::Rename(std::int64_t id, const std::string& name) {
  BindText(rename_, 1, name);
  sqlite3_bind_int64(rename_, 2, id);
  Run(db_, rename_, "update");
}

void TSqliteContacts::Remove(std::int64_t id) {
  sqlite3_bind_int64(remove_, 1, id);
  Run(db_, remove_, "delete");
}

std::int64_t TSqliteContacts::FirstByName() {
  if (sqlite3_step(firstByName_) != SQLITE_ROW) {
    sqlite3_reset(firstByName_);
    throw std::runtime_error("no rows");
  }
  const std::int64_t id = sqlite3_column_int64(firstByName_, 0);
  sqlite3_reset(firstByName_);
  return id;
}
