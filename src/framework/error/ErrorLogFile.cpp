#include "framework/error/ErrorLogFile.h"

#include <memory>
#include <vector>

#include "runtime/File.h"
#include "runtime/Text.h"

namespace quibra {

namespace {

// Opened for reading and writing, sharing with every other opener, so that
// several programs can log to one file.
constexpr uint8_t kLogAccess = 0x42;

// The log's record and file are shared by every ErrorLogFile, as the file on
// disk is.
rt::FixedString<ErrorLogLineLength> logRecord;
std::unique_ptr<rt::File> logFile;

rt::File& LogFile() {
  // A program that logs before its module set-up still gets its file.
  if (!logFile) BindErrorLogFile();
  return *logFile;
}

}  // namespace

void BindErrorLogFile() {
  logRecord = "";
  logFile = std::make_unique<rt::File>("ASCII", ErrorLogName,
                                       std::vector<rt::FileField>{rt::FileField::Of("TXT", logRecord)});
}

Level ErrorLogFile::BeginUse(bool force) {
  if (USAGE == 0 || force) {
    rt::File& file = LogFile();
    if (!file.Exists() && !file.Create()) return LevelNotify;
    if (!file.Open(kLogAccess)) return LevelNotify;
  }
  ++USAGE;
  return LevelOk;
}

Level ErrorLogFile::EndUse(bool force) {
  // A log that is not open has nothing to close, forced or not.
  if (USAGE == 0) return LevelOk;
  if (USAGE == 1 || force) {
    if (!LogFile().Close()) return LevelNotify;
    USAGE = 0;
    return LevelOk;
  }
  --USAGE;
  return LevelOk;
}

Level ErrorLogFile::WriteLine(std::string_view text) {
  if (USAGE == 0) return LevelNotify;
  logRecord = text;
  return LogFile().Add() ? LevelOk : LevelNotify;
}

}  // namespace quibra
