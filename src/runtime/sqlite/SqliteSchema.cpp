#include "runtime/sqlite/SqliteSchema.h"

#include "runtime/ErrorState.h"
#include "runtime/File.h"
#include "runtime/Text.h"

namespace rt {

namespace {

uint32_t SizeOf(FieldType type) {
  switch (type) {
    case FieldType::Byte:
      return 1;
    case FieldType::Short:
    case FieldType::UShort:
      return 2;
    case FieldType::Long:
      return 4;
    case FieldType::Real:
      return 8;
    default:
      return 0;  // texts have the size they are declared with
  }
}

const char* Affinity(FieldType type) {
  switch (type) {
    case FieldType::FixedText:
    case FieldType::CText:
      return "TEXT";
    case FieldType::Real:
      return "REAL";
    default:
      return "INTEGER";
  }
}

bool Refuse(const std::string& why) {
  SetError(ErrInvalidDeclaration, "Invalid Record Declaration: " + why);
  return false;
}

}  // namespace

SqliteSchema::SqliteSchema(const File& file) : file_(file) {
  const auto& record = file.Record();
  fieldCount_ = static_cast<int32_t>(record.size());
  for (std::size_t i = 0; i < record.size(); ++i)
    columns_.push_back(Clip(record[i].name).empty() ? "F" + std::to_string(i + 1) : Clip(record[i].name));
  const auto& objects = file.LargeObjects();
  for (std::size_t i = 0; i < objects.size(); ++i)
    columns_.push_back(Clip(objects[i]).empty() ? "L" + std::to_string(i + 1) : Clip(objects[i]));
}

std::string SqliteSchema::Quote(std::string_view name) {
  std::string out = "\"";
  for (char c : name) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

bool SqliteSchema::Valid() const {
  const auto& record = file_.Record();
  if (record.empty()) return Refuse("the record has no field");
  for (const FileField& f : record) {
    if (!f.address || f.size == 0) return Refuse("field " + f.name + " has no memory");
    const uint32_t size = SizeOf(f.type);
    if (size != 0 && size != f.size) return Refuse("field " + f.name + " has the wrong size for its type");
  }
  for (std::size_t i = 0; i < columns_.size(); ++i) {
    if (Upper(columns_[i]) == "ID") return Refuse("the name " + columns_[i] + " is kept for the record's number");
    for (std::size_t j = 0; j < i; ++j)
      if (Upper(columns_[i]) == Upper(columns_[j])) return Refuse("the name " + columns_[i] + " is used twice");
  }
  const auto& keys = file_.Keys();
  for (std::size_t k = 0; k < keys.size(); ++k) {
    if (keys[k].parts.empty()) return Refuse("key " + std::to_string(k + 1) + " has no field");
    for (const FileKey::Part& p : keys[k].parts)
      if (p.field < 1 || p.field > record.size())
        return Refuse("key " + std::to_string(k + 1) + " names field " + std::to_string(p.field) +
                      ", which the record does not have");
  }
  return true;
}

std::string SqliteSchema::ColumnList() const {
  std::string out;
  for (std::size_t i = 0; i < columns_.size(); ++i) out += (i ? ", " : "") + Quote(columns_[i]);
  return out;
}

std::string SqliteSchema::CreateTable() const {
  std::string sql = "CREATE TABLE " + Quote(Table) + " (\"id\" INTEGER PRIMARY KEY AUTOINCREMENT";
  const auto& record = file_.Record();
  for (std::size_t i = 0; i < columns_.size(); ++i)
    sql += ", " + Quote(columns_[i]) + " " + (i < record.size() ? Affinity(record[i].type) : "BLOB");
  return sql + ")";
}

std::string SqliteSchema::IndexName(int32_t key) const { return "key" + std::to_string(key); }

bool SqliteSchema::IsKeyIndex(std::string_view name) {
  if (name.size() < 4 || name.substr(0, 3) != "key") return false;
  for (char c : name.substr(3))
    if (c < '0' || c > '9') return false;
  return true;
}

std::string SqliteSchema::Part(int32_t key, std::size_t part, bool withDirection) const {
  const FileKey& k = file_.Keys()[key - 1];
  const FileKey::Part& p = k.parts[part];
  std::string text = Quote(columns_[p.field - 1]);
  if (!k.caseSensitive && file_.Record()[p.field - 1].IsText()) text += " COLLATE NOCASE";
  if (withDirection && p.descending) text += " DESC";
  return text;
}

std::string SqliteSchema::CreateIndex(int32_t key) const {
  const FileKey& k = file_.Keys()[key - 1];
  std::string sql = std::string("CREATE ") + (k.unique ? "UNIQUE " : "") + "INDEX " + Quote(IndexName(key)) + " ON " +
                    Quote(Table) + " (";
  for (std::size_t i = 0; i < k.parts.size(); ++i) sql += (i ? ", " : "") + Part(key, i, true);
  return sql + ")";
}

std::string SqliteSchema::KeyMatch(int32_t key) const {
  const FileKey& k = file_.Keys()[key - 1];
  std::string sql;
  for (std::size_t i = 0; i < k.parts.size(); ++i)
    sql += (i ? " AND " : "") + Part(key, i, false) + " = ?" + std::to_string(i + 1);
  return sql;
}

std::string SqliteSchema::KeyOrder(int32_t key) const {
  const FileKey& k = file_.Keys()[key - 1];
  std::string sql;
  for (std::size_t i = 0; i < k.parts.size(); ++i) sql += Part(key, i, true) + ", ";
  return sql + "\"id\"";
}

}  // namespace rt
