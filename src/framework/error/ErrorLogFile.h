#pragma once
// The standard error log: the text file "AppError.Log" in the current
// directory, one line per message, opened at the first use and closed at the
// last.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "framework/error/LogSink.h"
#include "framework/window/Level.h"

namespace quibra {

inline constexpr std::string_view ErrorLogName = "AppError.Log";
// A line of the log keeps at most this many characters.
constexpr std::size_t ErrorLogLineLength = 1024;

class ErrorLogFile {
 public:
  // The log as a LogSink: each operation reaches the log file that holds it,
  // so that a class derived from ErrorLogFile is used throughout.
  class Interface : public LogSink {
   public:
    explicit Interface(ErrorLogFile& owner) : owner_(owner) {}
    Level EndUse(bool force) override { return owner_.EndUse(force); }
    Level BeginUse(bool force) override { return owner_.BeginUse(force); }
    Level WriteLine(std::string_view text) override { return owner_.WriteLine(text); }

   private:
    ErrorLogFile& owner_;
  };

  ErrorLogFile() = default;
  virtual ~ErrorLogFile() = default;
  ErrorLogFile(const ErrorLogFile&) = delete;
  ErrorLogFile& operator=(const ErrorLogFile&) = delete;

  // Closes the file at the last outstanding use, or at once with `force`.
  virtual Level EndUse(bool force);
  // Creates the file if it is missing and opens it at the first use (or
  // again with `force`); a file that cannot be opened leaves USAGE at 0.
  virtual Level BeginUse(bool force);
  // Adds one line; 5 without writing when the log is not open.
  virtual Level WriteLine(std::string_view text);

  Interface ERRORLOGINTERFACE{*this};
  int32_t USAGE = 0;  // outstanding BeginUse calls; 0 while the file is closed
};

// Module set-up: clears the log's record and binds the log file to the
// runtime's ASCII driver, before any message can be logged.
void BindErrorLogFile();

}  // namespace quibra
