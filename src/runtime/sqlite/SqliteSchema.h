#pragma once
// How the keyed driver lays a file's declaration out in SQLite: the record
// table with a column per record field and per large-object field, and an
// index per key. The statements it writes are compared word for word with
// what a file holds, so a key made by hand in another way counts as not
// the declared one.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rt {

class File;

class SqliteSchema {
 public:
  explicit SqliteSchema(const File& file);

  // False, with ErrInvalidDeclaration and the reason set, when the
  // declaration cannot be kept: no field, a field without memory or with a
  // size that does not fit its type, two columns of one name, a key without
  // parts or naming a field the record does not have.
  bool Valid() const;

  static constexpr std::string_view Table = "records";
  static std::string Quote(std::string_view name);

  int32_t FieldCount() const { return fieldCount_; }
  // Record fields then large-object fields, quoted, comma-separated.
  std::string ColumnList() const;
  // Column n of all columns (from 0), quoted.
  std::string Column(std::size_t n) const { return Quote(columns_[n]); }
  const std::vector<std::string>& Columns() const { return columns_; }

  std::string CreateTable() const;
  // For the key numbered from 1.
  std::string IndexName(int32_t key) const;
  std::string CreateIndex(int32_t key) const;
  // True for an index name this driver makes ("key" and digits).
  static bool IsKeyIndex(std::string_view name);
  // "col = ?" for each part of the key, joined with AND, parameters from 1.
  std::string KeyMatch(int32_t key) const;
  // The key's order, then the record's id, as an ORDER BY list.
  std::string KeyOrder(int32_t key) const;

 private:
  // Column text of a key part: the column, with its collation and direction.
  std::string Part(int32_t key, std::size_t part, bool withDirection) const;

  const File& file_;
  int32_t fieldCount_ = 0;
  std::vector<std::string> columns_;
};

}  // namespace rt
