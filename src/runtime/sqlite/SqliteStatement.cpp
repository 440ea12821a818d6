#include "runtime/sqlite/SqliteStatement.h"

#include <sqlite3.h>

namespace rt {

SqliteStatement::SqliteStatement(sqlite3* db, const std::string& sql) {
  prepared_ =
      db ? sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &statement_, nullptr) : SQLITE_MISUSE;
}

SqliteStatement::~SqliteStatement() { sqlite3_finalize(statement_); }

int SqliteStatement::Step() { return statement_ ? sqlite3_step(statement_) : prepared_; }

}  // namespace rt
