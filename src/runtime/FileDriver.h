#pragma once
// The driver behind a File: how its records are kept on disk. The runtime
// has a text driver ("ASCII": one line per record); a keyed driver adds
// keys, positions and re-reads behind the same interface.
//
// One driver object serves one File. The File checks what is common to all
// drivers before it calls one (open or not, write access, key numbers) and
// clears the error state; a driver operation returns false after it has set
// the error state. What a driver does not offer fails with ErrNotSupported.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace rt {

class File;

// The keyed driver's name. The driver lives in its own library (over SQLite)
// that a program links and registers where SQLite is to be had; the runtime
// knows the name so that a build without it can say so.
inline constexpr std::string_view SqliteDriverName = "SQLITE";

class FileDriver {
 public:
  using Factory = std::unique_ptr<FileDriver> (*)(File& file);

  // The driver of that name (compared without case) for the file, or null
  // when no driver has that name.
  static std::unique_ptr<FileDriver> Make(std::string_view name, File& file);
  // Makes a driver known by name; a later registration of a name wins.
  static void Register(std::string_view name, Factory factory);
  // What the user is told when a file names a driver that Make does not
  // know: the keyed driver's absence is explained (a build without SQLite,
  // or a program that did not register it), any other name is unknown.
  static std::string MissingText(std::string_view name);

  explicit FileDriver(File& file) : file_(file) {}
  virtual ~FileDriver() = default;
  FileDriver(const FileDriver&) = delete;
  FileDriver& operator=(const FileDriver&) = delete;

  // Makes the file anew and empty.
  virtual bool Create() = 0;
  virtual bool Open(uint8_t accessMode) = 0;
  // The file counts as closed afterwards even when the system reported a
  // fault, since its handle is gone either way.
  virtual bool Close() = 0;
  // Adds the record held in the record's fields.
  virtual bool Add() = 0;

  // Keyed access. Keys are numbered from 1 in the file's key list; key 0
  // means the file's own order.
  virtual bool BuildKeys();
  // Writes the record over the one last read.
  virtual bool Put();
  // Deletes the record last read.
  virtual bool Delete();
  // Reads the first record whose key fields equal the record's.
  virtual bool Get(int32_t key);
  // The position of the current record in a key's order (or the file's) as
  // text that Reget takes back.
  virtual std::string Position(int32_t key);
  virtual bool Reget(int32_t key, std::string_view position);

  // A driver command ("Recover=5", ...): the driver's answer.
  virtual std::string Send(std::string_view command);
  // The file's whole state (record, position) as a handle to put back or free.
  virtual int32_t GetState();
  virtual bool RestoreState(int32_t state);
  virtual void FreeState(int32_t state);
  // The record's null flags as text.
  virtual std::string GetNulls();
  virtual bool SetNulls(std::string_view flags);
  // Driver properties by number (and index, for numbered parts such as
  // large-object fields).
  virtual std::string GetProperty(int32_t number, int32_t index);
  virtual bool SetProperty(int32_t number, std::string_view value, int32_t index);

 protected:
  File& file() { return file_; }
  const File& file() const { return file_; }
  // Sets ErrNotSupported and returns false.
  static bool NotSupported();

 private:
  File& file_;
};

}  // namespace rt
