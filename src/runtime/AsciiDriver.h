#pragma once
// The text driver: a file of lines, one record per line.
//
// A record is its text fields laid end to end (a fixed-length field with all
// its bytes, a zero-terminated one up to its terminator). Add writes it as
// one line at the end of the file, in one write, so that openers sharing the
// file never split each other's lines:
// - the trailing blanks are dropped, since fixed-length fields pad with them
//   and a reader gains nothing from a 1024-character line of spaces;
// - CR, LF and NUL inside the record become spaces, so that one record is
//   always exactly one line;
// - the line ends as the system's text files do (os::LineEnd: CRLF on
//   Windows, LF elsewhere).
// Nothing is kept in the program between writes, so a crash loses no line
// already added. Keys, positions and the other keyed operations are not
// offered (ErrNotSupported). A record with a field that is not text, or with
// no field, is refused with ErrInvalidDeclaration.
#include <memory>
#include <string>

#include "platform/OsFile.h"
#include "runtime/FileDriver.h"

namespace rt {

class AsciiDriver : public FileDriver {
 public:
  static std::unique_ptr<FileDriver> Make(File& file);

  explicit AsciiDriver(File& file) : FileDriver(file) {}

  bool Create() override;
  bool Open(uint8_t accessMode) override;
  bool Close() override;
  bool Add() override;

  // The line Add writes for the record as it is now, without its line end.
  std::string Line() const;

 private:
  bool RecordIsText() const;

  os::OsFile os_;
};

}  // namespace rt
