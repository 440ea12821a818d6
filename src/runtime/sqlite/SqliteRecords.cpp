// The keyed driver's records: writing the record's fields, reading a row
// back into them, keys, positions, saved states, null flags and the
// large-object fields.
#include <sqlite3.h>

#include <algorithm>
#include <cstring>
#include <limits>

#include "runtime/ErrorState.h"
#include "runtime/File.h"
#include "runtime/FileProperties.h"
#include "runtime/Text.h"
#include "runtime/sqlite/SqliteDriver.h"
#include "runtime/sqlite/SqliteSchema.h"
#include "runtime/sqlite/SqliteStatement.h"

namespace rt {

namespace {

// A text field's contents as kept: a fixed text without its padding, a
// zero-terminated one up to its terminator.
std::string TextOf(const FileField& f) {
  const char* bytes = static_cast<const char*>(f.address);
  if (f.type == FieldType::CText) {
    const void* end = std::memchr(bytes, 0, f.size);
    return std::string(bytes, end ? static_cast<const char*>(end) - bytes : f.size);
  }
  return Clip(std::string_view(bytes, f.size));
}

template <class T>
T Load(const FileField& f) {
  T v;
  std::memcpy(&v, f.address, sizeof v);
  return v;
}

template <class T>
void Keep(const FileField& f, int64_t v) {
  const T held = static_cast<T>(
      std::clamp<int64_t>(v, std::numeric_limits<T>::lowest(), static_cast<int64_t>(std::numeric_limits<T>::max())));
  std::memcpy(f.address, &held, sizeof held);
}

void BindField(sqlite3_stmt* st, int at, const FileField& f) {
  switch (f.type) {
    case FieldType::FixedText:
    case FieldType::CText: {
      const std::string text = TextOf(f);
      sqlite3_bind_text(st, at, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
      break;
    }
    case FieldType::Byte:
      sqlite3_bind_int64(st, at, Load<uint8_t>(f));
      break;
    case FieldType::Short:
      sqlite3_bind_int64(st, at, Load<int16_t>(f));
      break;
    case FieldType::UShort:
      sqlite3_bind_int64(st, at, Load<uint16_t>(f));
      break;
    case FieldType::Long:
      sqlite3_bind_int64(st, at, Load<int32_t>(f));
      break;
    case FieldType::Real:
      sqlite3_bind_double(st, at, Load<double>(f));
      break;
  }
}

// Column c of the row into the field; a NULL clears it.
void ReadField(sqlite3_stmt* st, int c, const FileField& f) {
  char* bytes = static_cast<char*>(f.address);
  const bool null = sqlite3_column_type(st, c) == SQLITE_NULL;
  switch (f.type) {
    case FieldType::FixedText:
    case FieldType::CText: {
      const char* text = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
      const std::string_view value(text && !null ? text : "",
                                   null ? 0 : static_cast<std::size_t>(sqlite3_column_bytes(st, c)));
      if (f.type == FieldType::FixedText)
        StoreFixed(bytes, f.size, value);
      else
        StoreCString(bytes, f.size, value);
      break;
    }
    case FieldType::Byte:
      Keep<uint8_t>(f, sqlite3_column_int64(st, c));
      break;
    case FieldType::Short:
      Keep<int16_t>(f, sqlite3_column_int64(st, c));
      break;
    case FieldType::UShort:
      Keep<uint16_t>(f, sqlite3_column_int64(st, c));
      break;
    case FieldType::Long:
      Keep<int32_t>(f, sqlite3_column_int64(st, c));
      break;
    case FieldType::Real: {
      const double v = sqlite3_column_double(st, c);
      std::memcpy(bytes, &v, sizeof v);
      break;
    }
  }
}

bool NoRecord(const std::string& why) {
  SetError(ErrRecordNotFound, "Record Not Found: " + why);
  return false;
}

}  // namespace

void SqliteDriver::BindRecord(void* statement, int first) const {
  sqlite3_stmt* st = static_cast<sqlite3_stmt*>(statement);
  const auto& record = file().Record();
  for (std::size_t i = 0; i < record.size(); ++i) {
    const int at = first + static_cast<int>(i);
    if (nulls_[i])
      sqlite3_bind_null(st, at);
    else
      BindField(st, at, record[i]);
  }
  for (std::size_t i = 0; i < largeObjects_.size(); ++i) {
    const int at = first + static_cast<int>(record.size() + i);
    if (nulls_[record.size() + i])
      sqlite3_bind_null(st, at);
    else
      sqlite3_bind_blob(st, at, largeObjects_[i].data(), static_cast<int>(largeObjects_[i].size()), SQLITE_TRANSIENT);
  }
}

bool SqliteDriver::Add() {
  SqliteSchema schema(file());
  std::string marks;
  for (std::size_t i = 0; i < schema.Columns().size(); ++i) marks += i ? ", ?" : "?";
  SqliteStatement st(db_, "INSERT INTO " + SqliteSchema::Quote(SqliteSchema::Table) + " (" + schema.ColumnList() +
                              ") VALUES (" + marks + ")");
  if (st.Prepared() != SQLITE_OK) return Fail(st.Prepared());
  BindRecord(st.get(), 1);
  const int rc = st.Step();
  if (rc != SQLITE_DONE) return Fail(rc);
  current_ = sqlite3_last_insert_rowid(db_);
  ClearError();
  return true;
}

bool SqliteDriver::Put() {
  if (current_ == 0) return NoRecord("no record has been read to write over");
  SqliteSchema schema(file());
  std::string sets;
  for (std::size_t i = 0; i < schema.Columns().size(); ++i) sets += (i ? ", " : "") + schema.Column(i) + " = ?";
  SqliteStatement st(db_, "UPDATE " + SqliteSchema::Quote(SqliteSchema::Table) + " SET " + sets + " WHERE \"id\" = ?");
  if (st.Prepared() != SQLITE_OK) return Fail(st.Prepared());
  BindRecord(st.get(), 1);
  sqlite3_bind_int64(st.get(), static_cast<int>(schema.Columns().size()) + 1, current_);
  const int rc = st.Step();
  if (rc != SQLITE_DONE) return Fail(rc);
  if (sqlite3_changes(db_) == 0) return NoRecord("the record was deleted by another user");
  ClearError();
  return true;
}

bool SqliteDriver::Delete() {
  if (current_ == 0) return NoRecord("no record has been read to delete");
  SqliteStatement st(db_, "DELETE FROM " + SqliteSchema::Quote(SqliteSchema::Table) + " WHERE \"id\" = ?");
  if (st.Prepared() != SQLITE_OK) return Fail(st.Prepared());
  sqlite3_bind_int64(st.get(), 1, current_);
  const int rc = st.Step();
  if (rc != SQLITE_DONE) return Fail(rc);
  const bool gone = sqlite3_changes(db_) > 0;
  current_ = 0;
  if (!gone) return NoRecord("the record was deleted by another user");
  ClearError();
  return true;
}

bool SqliteDriver::ReadRow(int64_t id) {
  SqliteSchema schema(file());
  SqliteStatement st(
      db_, "SELECT " + schema.ColumnList() + " FROM " + SqliteSchema::Quote(SqliteSchema::Table) + " WHERE \"id\" = ?");
  if (st.Prepared() != SQLITE_OK) return Fail(st.Prepared());
  sqlite3_bind_int64(st.get(), 1, id);
  const int rc = st.Step();
  if (NeedsMending(rc) && !mending_) {
    mending_ = true;
    const bool ok = MendHotJournal() && ReadRow(id);
    mending_ = false;
    return ok;
  }
  if (rc == SQLITE_DONE) return NoRecord("no record is at that position");
  if (rc != SQLITE_ROW) return Fail(rc);
  const auto& record = file().Record();
  for (std::size_t i = 0; i < record.size(); ++i) {
    ReadField(st.get(), static_cast<int>(i), record[i]);
    nulls_[i] = sqlite3_column_type(st.get(), static_cast<int>(i)) == SQLITE_NULL;
  }
  for (std::size_t i = 0; i < largeObjects_.size(); ++i) {
    const int c = static_cast<int>(record.size() + i);
    const void* blob = sqlite3_column_blob(st.get(), c);
    largeObjects_[i].assign(static_cast<const char*>(blob ? blob : ""),
                            static_cast<std::size_t>(sqlite3_column_bytes(st.get(), c)));
    nulls_[record.size() + i] = sqlite3_column_type(st.get(), c) == SQLITE_NULL;
  }
  current_ = id;
  ClearError();
  return true;
}

bool SqliteDriver::Get(int32_t key) {
  SqliteSchema schema(file());
  SqliteStatement st(db_, "SELECT \"id\" FROM " + SqliteSchema::Quote(SqliteSchema::Table) + " WHERE " +
                              schema.KeyMatch(key) + " ORDER BY " + schema.KeyOrder(key) + " LIMIT 1");
  if (st.Prepared() != SQLITE_OK) return Fail(st.Prepared());
  const auto& parts = file().Keys()[key - 1].parts;
  for (std::size_t i = 0; i < parts.size(); ++i)
    BindField(st.get(), static_cast<int>(i + 1), file().Record()[parts[i].field - 1]);
  const int rc = st.Step();
  if (NeedsMending(rc) && !mending_) {
    mending_ = true;
    const bool ok = MendHotJournal() && Get(key);
    mending_ = false;
    return ok;
  }
  if (rc == SQLITE_DONE) return NoRecord("no record has that key");
  if (rc != SQLITE_ROW) return Fail(rc);
  return ReadRow(sqlite3_column_int64(st.get(), 0));
}

std::string SqliteDriver::Position(int32_t key) {
  if (current_ == 0) {
    NoRecord("no record has been read");
    return {};
  }
  ClearError();
  return (key == 0 ? "" : std::to_string(key) + ":") + std::to_string(current_);
}

int64_t SqliteDriver::ParsePosition(int32_t key, std::string_view position) const {
  const std::string text = Clip(position);
  std::string_view digits = text;
  if (key != 0) {
    const std::string prefix = std::to_string(key) + ":";
    if (digits.substr(0, prefix.size()) != prefix) return 0;
    digits.remove_prefix(prefix.size());
  }
  if (digits.empty() || digits.size() > 18) return 0;
  for (char c : digits)
    if (c < '0' || c > '9') return 0;
  return ToNumber(digits);
}

bool SqliteDriver::Reget(int32_t key, std::string_view position) {
  const int64_t id = ParsePosition(key, position);
  if (id <= 0) {
    SetError(ErrInvalidArgument, "Invalid Argument: \"" + Clip(position) + "\" is not a position " +
                                     (key == 0 ? std::string("in the file") : "of key " + std::to_string(key)));
    return false;
  }
  return ReadRow(id);
}

int32_t SqliteDriver::GetState() {
  Snapshot s;
  for (const FileField& f : file().Record()) s.fields.emplace_back(static_cast<const char*>(f.address), f.size);
  s.largeObjects = largeObjects_;
  s.nulls = nulls_;
  s.current = current_;
  const int32_t id = nextState_++;
  states_[id] = std::move(s);
  ClearError();
  return id;
}

bool SqliteDriver::RestoreState(int32_t state) {
  auto it = states_.find(state);
  if (it == states_.end()) {
    SetError(ErrInvalidArgument, "Invalid Argument: no file state " + std::to_string(state) + " is held");
    return false;
  }
  const auto& record = file().Record();
  for (std::size_t i = 0; i < record.size() && i < it->second.fields.size(); ++i)
    std::memcpy(record[i].address, it->second.fields[i].data(),
                std::min<std::size_t>(record[i].size, it->second.fields[i].size()));
  largeObjects_ = it->second.largeObjects;
  nulls_ = it->second.nulls;
  current_ = it->second.current;
  FitRecordState();
  ClearError();
  return true;
}

void SqliteDriver::FreeState(int32_t state) {
  states_.erase(state);
  ClearError();
}

std::string SqliteDriver::GetNulls() {
  FitRecordState();
  std::string flags;
  for (bool null : nulls_) flags += null ? '1' : '0';
  ClearError();
  return flags;
}

bool SqliteDriver::SetNulls(std::string_view flags) {
  FitRecordState();
  for (std::size_t i = 0; i < nulls_.size(); ++i) nulls_[i] = i < flags.size() && flags[i] == '1';
  ClearError();
  return true;
}

std::string SqliteDriver::GetProperty(int32_t number, int32_t index) {
  FitRecordState();
  switch (number) {
    case PropLargeObjectCount:
      ClearError();
      return std::to_string(largeObjects_.size());
    case PropThreadInstance:
      ClearError();
      return threadInstance_ ? "1" : "0";
    case PropLargeObject: {
      const std::size_t n = static_cast<std::size_t>(index < 0 ? -static_cast<int64_t>(index) : index);
      if (n < 1 || n > largeObjects_.size()) {
        SetError(ErrInvalidArgument, "Invalid Argument: the record has no large-object field " + std::to_string(n));
        return {};
      }
      ClearError();
      return largeObjects_[n - 1];
    }
    default:
      NotSupported();
      return {};
  }
}

bool SqliteDriver::SetProperty(int32_t number, std::string_view value, int32_t index) {
  FitRecordState();
  switch (number) {
    case PropThreadInstance:
      threadInstance_ = ToNumber(value) != 0;
      ClearError();
      return true;
    case PropLargeObject: {
      const std::size_t n = static_cast<std::size_t>(index < 0 ? -static_cast<int64_t>(index) : index);
      if (n < 1 || n > largeObjects_.size()) {
        SetError(ErrInvalidArgument, "Invalid Argument: the record has no large-object field " + std::to_string(n));
        return false;
      }
      largeObjects_[n - 1] = std::string(value);
      ClearError();
      return true;
    }
    default:
      return NotSupported();
  }
}

}  // namespace rt
