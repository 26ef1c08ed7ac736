#pragma once
// The comparison side of the benchmarks: the same contacts as rows of an SQLite database with an
// index on the name, changed one row per transaction with synchronous=FULL, so that every change
// is on the disk when it returns, as the engine's are.

#include <cstdint>
#include <string>
#include <vector>

#include "ContactGenerator.h"

struct sqlite3;
struct sqlite3_stmt;

class TSqliteContacts {
public:
  // Creates the database at path (replacing any there) with the contacts as rows 1 .. N and the
  // name index. Built without flushes, then closed.
  static void Build(const std::string& path, const std::vector<TContact>& contacts);

  // journalMode: "DELETE" (SQLite's default) or "WAL".
  TSqliteContacts(const std::string& path, const std::string& journalMode);
  ~TSqliteContacts();
  TSqliteContacts(const TSqliteContacts&) = delete;
  TSqliteContacts& operator=(const TSqliteContacts&) = delete;

  // Each change is one transaction. Insert returns the new row's id.
  std::int64_t Insert(const TContact& contact);
  void Rename(std::int64_t id, const std::string& name);
  void Remove(std::int64_t id);
  // The id of the first row in name order.
  std::int64_t FirstByName();

private:
  void Release();
  sqlite3_stmt* Prepare(const char* sql);

  sqlite3* db_ = nullptr;
  sqlite3_stmt* insert_ = nullptr;
  sqlite3_stmt* rename_ = nullptr;
  sqlite3_stmt* remove_ = nullptr;
  sqlite3_stmt* firstByName_ = nullptr;
};
