#pragma once
// A file of the runtime: a driver, a name and a record (the program's
// variables that records are read into and written from), and for a keyed
// driver its keys.
//
// Every operation sets the error state when it fails and clears it when it
// succeeds: ErrFileNotFound (2), ErrPathNotFound (3), ErrAccessDenied (5,
// also when another opener's sharing forbids the access), ErrFileNotOpen
// (37), ErrInvalidDeclaration (47, an unknown driver or a record the driver
// cannot keep), ErrFileAlreadyOpen (52), ErrNotSupported (80, an operation
// the driver does not offer), ErrInvalidArgument (87).
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/FileField.h"
#include "runtime/FileKey.h"

namespace rt {

class FileDriver;

class File {
 public:
  // Read and write access, others may read: what a file gets when no mode
  // is named.
  static constexpr uint8_t kDefaultAccess = 0x22;

  File(std::string_view driver, std::string_view name, std::vector<FileField> record, std::vector<FileKey> keys = {});
  // A file still open is closed.
  ~File();
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  // The name as used: without trailing blanks, since names often come from
  // fixed-length fields. A new name takes effect at the next open.
  std::string Name() const;
  void SetName(std::string_view name);
  const std::string& DriverName() const { return driverName_; }
  const std::vector<FileField>& Record() const { return record_; }
  const std::vector<FileKey>& Keys() const { return keys_; }
  bool IsOpen() const { return open_; }
  // The record's large-object fields, by name: values of any length that
  // belong to the record but live outside its fields, read and written
  // through the property PropLargeObject (FileProperties.h). Only a keyed
  // driver keeps them. A new declaration takes effect at the next open.
  void DeclareLargeObjects(std::vector<std::string> names) { largeObjects_ = std::move(names); }
  const std::vector<std::string>& LargeObjects() const { return largeObjects_; }
  uint8_t AccessMode() const { return mode_; }

  // True when a file of that name exists.
  static bool Exists(std::string_view name);
  bool Exists() const { return Exists(Name()); }

  // Makes the file anew and empty (an existing file is emptied). Refused
  // while this File has it open (52) or another opener denies writing (5).
  bool Create();
  // Opens the file with an access mode (see platform/AccessMode.h). A File
  // already open stays open as it was and reports ErrFileAlreadyOpen.
  bool Open(uint8_t accessMode = kDefaultAccess);
  bool Close();
  // Adds the record held in the record's fields.
  bool Add();

  // Keyed access (a keyed driver's); key numbers count from 1, 0 is the
  // file's own order.
  bool BuildKeys();
  bool Put();
  bool Delete();
  bool Get(int32_t key);
  std::string Position(int32_t key = 0);
  bool Reget(int32_t key, std::string_view position);
  std::string Send(std::string_view command);
  int32_t GetState();
  bool RestoreState(int32_t state);
  void FreeState(int32_t state);
  // The null flags and the large-object fields belong to the record, not to
  // the open file, so they can be read and set while the file is closed.
  std::string GetNulls();
  bool SetNulls(std::string_view flags);
  std::string GetProperty(int32_t number, int32_t index = 0);
  bool SetProperty(int32_t number, std::string_view value, int32_t index = 0);

 private:
  // Clears the error state, or sets it and returns false when the file has
  // no driver, is not open (when that is needed), lacks write access (when
  // that is needed) or the key number is out of range.
  bool Ready(bool needOpen, bool needWrite, int32_t key = 0, bool keyZeroAllowed = true);

  std::string driverName_;
  std::string name_;
  std::vector<FileField> record_;
  std::vector<FileKey> keys_;
  std::vector<std::string> largeObjects_;
  std::unique_ptr<FileDriver> driver_;
  bool open_ = false;
  uint8_t mode_ = 0;
};

}  // namespace rt
