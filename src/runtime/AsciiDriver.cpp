#include "runtime/AsciiDriver.h"

#include <cstring>

#include "platform/FileSystem.h"
#include "runtime/ErrorState.h"
#include "runtime/File.h"
#include "runtime/IoError.h"

namespace rt {

std::unique_ptr<FileDriver> AsciiDriver::Make(File& file) { return std::make_unique<AsciiDriver>(file); }

bool AsciiDriver::RecordIsText() const {
  const auto& record = file().Record();
  bool ok = !record.empty();
  for (const FileField& f : record) ok = ok && f.IsText() && f.address && f.size > 0;
  if (!ok) SetError(ErrInvalidDeclaration, "Invalid Record Declaration: an ASCII file's record holds text fields only");
  return ok;
}

bool AsciiDriver::Create() { return ReportIo(os::CreateEmpty(file().Name())); }

bool AsciiDriver::Open(uint8_t accessMode) {
  if (!RecordIsText()) return false;
  return ReportIo(os_.Open(file().Name(), accessMode));
}

bool AsciiDriver::Close() { return ReportIo(os_.Close()); }

std::string AsciiDriver::Line() const {
  std::string line;
  for (const FileField& f : file().Record()) {
    const char* bytes = static_cast<const char*>(f.address);
    std::size_t n = f.size;
    if (f.type == FieldType::CText) {
      const void* end = std::memchr(bytes, 0, n);
      if (end) n = static_cast<std::size_t>(static_cast<const char*>(end) - bytes);
    }
    line.append(bytes, n);
  }
  for (char& c : line)
    if (c == '\r' || c == '\n' || c == '\0') c = ' ';
  std::size_t end = line.find_last_not_of(' ');
  line.resize(end == std::string::npos ? 0 : end + 1);
  return line;
}

bool AsciiDriver::Add() {
  if (!RecordIsText()) return false;
  std::string line = Line();
  line += os::LineEnd();
  return ReportIo(os_.Append(line));
}

}  // namespace rt
