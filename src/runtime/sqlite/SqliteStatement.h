#pragma once
// One prepared SQLite statement, finalised when it goes.
#include <string>

struct sqlite3;
struct sqlite3_stmt;

namespace rt {

class SqliteStatement {
 public:
  SqliteStatement(sqlite3* db, const std::string& sql);
  ~SqliteStatement();
  SqliteStatement(const SqliteStatement&) = delete;
  SqliteStatement& operator=(const SqliteStatement&) = delete;

  // SQLITE_OK when the statement was prepared.
  int Prepared() const { return prepared_; }
  sqlite3_stmt* get() const { return statement_; }
  // One step: SQLITE_ROW, SQLITE_DONE or a fault.
  int Step();

 private:
  sqlite3_stmt* statement_ = nullptr;
  int prepared_ = 0;
};

}  // namespace rt
