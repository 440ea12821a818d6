#pragma once
// The keyed driver ("SQLITE"): a file is one SQLite database holding one
// table of records, with a column per record field and per large-object
// field and an index per declared key.
//
// - Records carry a number of their own ("id", never reused), which is
//   their position in the file's order. A key's position is "k:id", so a
//   position taken from one key cannot be re-read through another.
//   Positions stay valid across a close and a reopen, and by other
//   programs, until the record is deleted.
// - Text fields are kept without their trailing blanks and come back padded;
//   numbers as integers or reals. A field whose null flag is set is written
//   as NULL and read back as blanks or zero with its flag set.
// - The null flags are one character per record field and then per
//   large-object field: '1' null, '0' not. They and the large-object values
//   belong to the record in memory and can be read and set while the file is
//   closed; a read replaces them, Add and Put write them.
// - Sharing: every open claims the access and sharing of its mode on the
//   database file through os::OsFile, so a conflicting opener, in this
//   process or another, is refused with ErrAccessDenied (5). SQLite's own
//   locks keep each write whole; a read or write that meets another
//   program's unfinished write waits up to the lock wait (2 seconds unless a
//   "LockWait=" command says otherwise) and then fails with 5.
// - Each write is one transaction in a rollback journal, flushed to disk
//   before it counts: a program killed in the middle of a write leaves the
//   record as it was last committed.
// - A reader that finds a write left half done by a program that died (a hot
//   journal) puts the file back as it was last committed, through a
//   connection with write access for just that, and reads on; without it a
//   file opened for reading could not be read until some writer came.
// - An open checks the file against the declaration: a missing file is 2;
//   a record field missing from the file is ErrInvalidDeclaration (47); a
//   declared key that the file lacks or holds with another definition is
//   ErrKeysNeedRebuild (46), which BuildKeys mends.
//
// Driver commands (Send), names without case:
// - "Recover=<seconds>": the next open that finds the file held by another
//   opener whose sharing conflicts waits for it to let go, trying again
//   every 50 ms for up to that many seconds (0 or less: no wait). The
//   answer says what was set.
// - "LockWait=<milliseconds>": how long a read or write waits for another
//   program's write to end; the answer is the value in force.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/OsFile.h"
#include "runtime/FileDriver.h"

struct sqlite3;

namespace rt {

// Makes the driver known to FileDriver::Make under SqliteDriverName. Static
// linking keeps only what a program names, so a program that uses the
// driver calls this once before it opens such a file.
void RegisterSqliteDriver();

class SqliteDriver : public FileDriver {
 public:
  static std::unique_ptr<FileDriver> Make(File& file);

  explicit SqliteDriver(File& file);
  ~SqliteDriver() override;

  bool Create() override;
  bool Open(uint8_t accessMode) override;
  bool Close() override;
  bool Add() override;

  bool BuildKeys() override;
  bool Put() override;
  bool Delete() override;
  bool Get(int32_t key) override;
  std::string Position(int32_t key) override;
  bool Reget(int32_t key, std::string_view position) override;

  std::string Send(std::string_view command) override;
  int32_t GetState() override;
  bool RestoreState(int32_t state) override;
  void FreeState(int32_t state) override;
  std::string GetNulls() override;
  bool SetNulls(std::string_view flags) override;
  std::string GetProperty(int32_t number, int32_t index) override;
  bool SetProperty(int32_t number, std::string_view value, int32_t index) override;

 private:
  // A copy of the record as the program holds it, for GetState.
  struct Snapshot {
    std::vector<std::string> fields;  // each field's bytes
    std::vector<std::string> largeObjects;
    std::vector<bool> nulls;
    int64_t current = 0;
  };

  // Opens a connection to the file. False, with the error state set, when
  // SQLite cannot open it or it is not a database.
  bool Connect(const std::string& path, bool write, bool create);
  void Disconnect();
  // Checks the file's table and keys against the declaration (47, 46).
  bool CheckFile();
  // Drops the keys the file holds and makes the declared ones, in one
  // transaction on the open connection.
  bool RebuildKeys();
  // Runs SQL that returns no rows.
  bool Exec(const std::string& sql);
  // Plays back a journal left by a writer that died, through a connection of
  // its own with write access, so that a reader can go on.
  bool MendHotJournal();
  // True when the result says a reader met such a journal.
  static bool NeedsMending(int rc);
  // Passes a SQLite result code on to the error state; false for a fault.
  bool Fail(int rc);
  // The declared name of the unique key that SQLite's words name.
  std::string DuplicateKeyName(const std::string& words) const;
  // Reads the row with this id into the record; false (35) when none.
  bool ReadRow(int64_t id);
  // Binds the record's fields and large objects as parameters from `first`.
  void BindRecord(void* statement, int first) const;
  // Sizes the flags and large objects to the declaration.
  void FitRecordState();
  int64_t ParsePosition(int32_t key, std::string_view position) const;

  sqlite3* db_ = nullptr;
  os::OsFile sharing_;
  int64_t current_ = 0;  // the id of the record last read or added; 0 = none
  std::vector<bool> nulls_;
  std::vector<std::string> largeObjects_;
  std::map<int32_t, Snapshot> states_;
  int32_t nextState_ = 1;
  int32_t recoverSeconds_ = 0;
  int32_t lockWaitMs_ = 2000;
  bool threadInstance_ = false;
  int lastFault_ = 0;     // the SQLite result of the last fault
  bool mending_ = false;  // a read is being tried again after mending
};

}  // namespace rt
