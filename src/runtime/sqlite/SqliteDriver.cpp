// The keyed driver's life with a file: creating it, opening it with real
// sharing, checking it against the declaration, rebuilding its keys, the
// driver commands and how SQLite's faults reach the error state.
#include "runtime/sqlite/SqliteDriver.h"

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/AccessMode.h"
#include "platform/FileSystem.h"
#include "platform/Unicode.h"
#include "runtime/ErrorState.h"
#include "runtime/File.h"
#include "runtime/IoError.h"
#include "runtime/Text.h"
#include "runtime/sqlite/SqliteSchema.h"
#include "runtime/sqlite/SqliteStatement.h"

namespace rt {

namespace {

// Keeps the error state of a fault while the driver tidies up after it.
class KeepError {
 public:
  KeepError() : code_(ErrorCode()), text_(ErrorText()), fileCode_(FileErrorCode()), fileText_(FileErrorText()) {}
  void Put() const {
    if (code_ == ErrFileSystem)
      SetFileError(fileCode_, fileText_);
    else
      SetError(code_, text_);
  }

 private:
  int32_t code_;
  std::string text_, fileCode_, fileText_;
};

}  // namespace

void RegisterSqliteDriver() { FileDriver::Register(SqliteDriverName, &SqliteDriver::Make); }

std::unique_ptr<FileDriver> SqliteDriver::Make(File& file) { return std::make_unique<SqliteDriver>(file); }

SqliteDriver::SqliteDriver(File& file) : FileDriver(file) { FitRecordState(); }

SqliteDriver::~SqliteDriver() { Disconnect(); }

void SqliteDriver::FitRecordState() {
  nulls_.resize(file().Record().size() + file().LargeObjects().size(), false);
  largeObjects_.resize(file().LargeObjects().size());
}

std::string SqliteDriver::DuplicateKeyName(const std::string& words) const {
  // SQLite names the columns ("... failed: records.CODE, records.NAME"); the
  // user knows the key by its declared name.
  const std::size_t start = words.find("failed: ");
  if (start == std::string::npos) return words;
  const std::string named = words.substr(start + 8);
  SqliteSchema schema(file());
  const auto& keys = file().Keys();
  for (std::size_t k = 0; k < keys.size(); ++k) {
    if (!keys[k].unique) continue;
    std::string columns;
    for (const FileKey::Part& p : keys[k].parts)
      columns += (columns.empty() ? "" : ", ") + std::string(SqliteSchema::Table) + "." + schema.Columns()[p.field - 1];
    if (named == columns) return keys[k].name.empty() ? "key " + std::to_string(k + 1) : keys[k].name;
  }
  return words;
}

bool SqliteDriver::Fail(int rc) {
  lastFault_ = rc;
  const std::string words = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
  switch (rc & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      SetError(ErrAccessDenied, "Access Denied: the file is being written by another program (" + words + ")");
      break;
    case SQLITE_READONLY:
      SetError(ErrAccessDenied, "Access Denied: " + words);
      break;
    case SQLITE_CONSTRAINT:
      if (rc == SQLITE_CONSTRAINT_UNIQUE || rc == SQLITE_CONSTRAINT_PRIMARYKEY) {
        SetError(ErrDuplicateKey, "Creates Duplicate Key: " + DuplicateKeyName(words));
        break;
      }
      SetFileError(std::to_string(rc), words);
      break;
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
      SetFileError(std::to_string(rc), "the file is not a sound SQLITE file (" + words + ")");
      break;
    default:
      SetFileError(std::to_string(rc), words);
      break;
  }
  return false;
}

bool SqliteDriver::Exec(const std::string& sql) {
  const int rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr);
  return rc == SQLITE_OK || Fail(rc);
}

bool SqliteDriver::Connect(const std::string& path, bool write, bool create) {
  const int flags = (write ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY) | (create ? SQLITE_OPEN_CREATE : 0);
  // SQLite takes UTF-8 names; the program's may be in the Windows code page.
  const int rc = sqlite3_open_v2(os::TextToUtf8(path).c_str(), &db_, flags, nullptr);
  if (rc != SQLITE_OK) {
    Fail(rc);
    KeepError keep;
    Disconnect();
    keep.Put();
    return false;
  }
  sqlite3_extended_result_codes(db_, 1);
  sqlite3_busy_timeout(db_, lockWaitMs_);
  // A write counts only once it is on the disk, journal first.
  return Exec("PRAGMA synchronous=FULL");
}

void SqliteDriver::Disconnect() {
  if (db_) sqlite3_close_v2(db_);
  db_ = nullptr;
}

bool SqliteDriver::NeedsMending(int rc) { return rc == SQLITE_READONLY_ROLLBACK; }

bool SqliteDriver::MendHotJournal() {
  sqlite3* mend = nullptr;
  bool ok = sqlite3_open_v2(os::TextToUtf8(file().Name()).c_str(), &mend, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK;
  if (ok) {
    sqlite3_busy_timeout(mend, lockWaitMs_);
    // The first read of a connection that may write plays the journal back.
    ok = sqlite3_exec(mend, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) == SQLITE_OK;
  }
  sqlite3_close_v2(mend);
  return ok;
}

bool SqliteDriver::Create() {
  SqliteSchema schema(file());
  if (!schema.Valid()) return false;
  const std::string path = file().Name();
  // Emptying is a write: refused while another opener denies writing.
  if (!ReportIo(os::CreateEmpty(path))) return false;
  // A journal left by a writer that died belongs to the old contents; it
  // must not be played back into the new file.
  os::Remove(path + "-journal");
  if (!Connect(path, true, true)) return false;
  bool ok = Exec("BEGIN IMMEDIATE") && Exec(schema.CreateTable());
  for (int32_t k = 1; ok && k <= static_cast<int32_t>(file().Keys().size()); ++k) ok = Exec(schema.CreateIndex(k));
  ok = ok && Exec("COMMIT");
  KeepError keep;
  Disconnect();
  if (!ok) {
    keep.Put();
    return false;
  }
  ClearError();
  return true;
}

bool SqliteDriver::Open(uint8_t accessMode) {
  os::AccessMode mode;
  if (!os::AccessMode::Decode(accessMode, mode)) {
    SetError(ErrInvalidArgument, "Invalid Argument: " + std::to_string(accessMode) + " is not an access mode");
    return false;
  }
  SqliteSchema schema(file());
  if (!schema.Valid()) return false;
  const std::string path = file().Name();
  os::IoStatus status = sharing_.Open(path, accessMode);
  // A recover command makes this open wait for a conflicting opener to go.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(recoverSeconds_);
  recoverSeconds_ = 0;
  while (status.code == os::IoDenied && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    status = sharing_.Open(path, accessMode);
  }
  if (!ReportIo(status)) return false;
  bool ok = Connect(path, mode.write, false) && CheckFile();
  if (!ok && !mode.write && NeedsMending(lastFault_)) {
    Disconnect();
    ok = MendHotJournal() && Connect(path, false, false) && CheckFile();
  }
  if (!ok) {
    KeepError keep;
    Disconnect();
    sharing_.Close();
    keep.Put();
    return false;
  }
  current_ = 0;
  FitRecordState();
  ClearError();
  return true;
}

bool SqliteDriver::Close() {
  // SQLite lets go of the file before the sharing claim does, so that no
  // opener that the claim kept out finds the connection still there.
  Disconnect();
  const os::IoStatus status = sharing_.Close();
  current_ = 0;
  return ReportIo(status);
}

bool SqliteDriver::CheckFile() {
  SqliteSchema schema(file());
  SqliteStatement table(db_, "SELECT type, name, sql FROM sqlite_master");
  if (table.Prepared() != SQLITE_OK) return Fail(table.Prepared());
  bool hasTable = false;
  std::vector<std::pair<std::string, std::string>> indexes;
  int rc;
  while ((rc = table.Step()) == SQLITE_ROW) {
    auto text = [&](int c) {
      const unsigned char* t = sqlite3_column_text(table.get(), c);
      return t ? std::string(reinterpret_cast<const char*>(t)) : std::string();
    };
    if (text(0) == "table" && text(1) == SqliteSchema::Table) hasTable = true;
    if (text(0) == "index") indexes.emplace_back(text(1), text(2));
  }
  if (rc != SQLITE_DONE) return Fail(rc);
  if (!hasTable) {
    SetError(ErrInvalidDeclaration, "Invalid Record Declaration: " + file().Name() + " holds no records table");
    return false;
  }
  SqliteStatement info(db_, "PRAGMA table_info(" + SqliteSchema::Quote(SqliteSchema::Table) + ")");
  std::vector<std::string> present;
  while ((rc = info.Step()) == SQLITE_ROW)
    present.push_back(Upper(reinterpret_cast<const char*>(sqlite3_column_text(info.get(), 1))));
  if (rc != SQLITE_DONE) return Fail(rc);
  for (const std::string& column : schema.Columns())
    if (std::find(present.begin(), present.end(), Upper(column)) == present.end()) {
      SetError(ErrInvalidDeclaration,
               "Invalid Record Declaration: " + file().Name() + " has no field " + column + " of the record");
      return false;
    }
  for (int32_t k = 1; k <= static_cast<int32_t>(file().Keys().size()); ++k) {
    auto it = std::find_if(indexes.begin(), indexes.end(),
                           [&](const auto& index) { return index.first == schema.IndexName(k); });
    if (it == indexes.end() || it->second != schema.CreateIndex(k)) {
      SetError(ErrKeysNeedRebuild, "Keys need rebuilding: key " + std::to_string(k) + " of " + file().Name() +
                                       (it == indexes.end() ? " is missing" : " is not as declared"));
      return false;
    }
  }
  return true;
}

bool SqliteDriver::RebuildKeys() {
  SqliteSchema schema(file());
  if (!Exec("BEGIN IMMEDIATE")) return false;
  std::vector<std::string> old;
  {
    SqliteStatement list(db_, "SELECT name FROM sqlite_master WHERE type = 'index'");
    while (list.Step() == SQLITE_ROW) {
      const std::string name = reinterpret_cast<const char*>(sqlite3_column_text(list.get(), 0));
      if (SqliteSchema::IsKeyIndex(name)) old.push_back(name);
    }
  }
  bool ok = true;
  for (const std::string& name : old) ok = ok && Exec("DROP INDEX " + SqliteSchema::Quote(name));
  for (int32_t k = 1; ok && k <= static_cast<int32_t>(file().Keys().size()); ++k) ok = Exec(schema.CreateIndex(k));
  ok = ok && Exec("COMMIT");
  if (!ok) {
    KeepError keep;
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    keep.Put();
    return false;
  }
  ClearError();
  return true;
}

bool SqliteDriver::BuildKeys() {
  SqliteSchema schema(file());
  if (!schema.Valid()) return false;
  if (db_) {
    if (sqlite3_db_readonly(db_, "main") == 1) {
      SetError(ErrAccessDenied, "Access Denied: the keys cannot be rebuilt through a file opened for reading only");
      return false;
    }
    return RebuildKeys();
  }
  // Rebuilding is a write: it claims write access, so an opener that denies
  // writing keeps it out, and it checks the file as an open would.
  os::OsFile claim;
  const std::string path = file().Name();
  if (!ReportIo(claim.Open(path, 0x42))) return false;
  bool ok = Connect(path, true, false);
  if (ok) {
    SqliteStatement table(db_, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'records'");
    const int rc = table.Step();
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) ok = Fail(rc);
    if (ok && rc == SQLITE_DONE) {
      SetError(ErrInvalidDeclaration, "Invalid Record Declaration: " + path + " holds no records table");
      ok = false;
    }
  }
  ok = ok && RebuildKeys();
  KeepError keep;
  Disconnect();
  if (!ok) keep.Put();
  return ok;
}

std::string SqliteDriver::Send(std::string_view command) {
  const std::size_t equals = command.find('=');
  const std::string name = Upper(Clip(command.substr(0, equals)));
  const int64_t value = equals == std::string_view::npos ? 0 : ToNumber(command.substr(equals + 1));
  if (name == "RECOVER") {
    recoverSeconds_ = static_cast<int32_t>(std::clamp<int64_t>(value, 0, 3600));
    ClearError();
    return "Recover=" + std::to_string(recoverSeconds_) + ": the next open waits up to " +
           std::to_string(recoverSeconds_) + " seconds for other openers to let go of the file";
  }
  if (name == "LOCKWAIT") {
    if (equals != std::string_view::npos) lockWaitMs_ = static_cast<int32_t>(std::clamp<int64_t>(value, 0, 600000));
    if (db_) sqlite3_busy_timeout(db_, lockWaitMs_);
    ClearError();
    return "LockWait=" + std::to_string(lockWaitMs_);
  }
  NotSupported();
  return {};
}

}  // namespace rt
