#pragma once
// The per-thread error state of the runtime and thread numbers. List, file
// and INI operations set the state; callers read it right after the call.
#include <cstdint>
#include <string>
#include <string_view>

namespace rt {

// Error codes the runtime sets.
enum ErrorCodes : int32_t {
  ErrNone = 0,
  ErrFileNotFound = 2,
  ErrPathNotFound = 3,
  ErrTooManyFiles = 4,
  ErrAccessDenied = 5,
  ErrInvalidHandle = 6,
  ErrEntryNotFound = 30,
  ErrRecordNotAvailable = 33,
  ErrRecordNotFound = 35,
  ErrFileNotOpen = 37,
  ErrDuplicateKey = 40,
  ErrBadRecord = 43,
  ErrKeysNeedRebuild = 46,
  ErrInvalidDeclaration = 47,
  ErrFileAlreadyOpen = 52,
  ErrNotSupported = 80,
  ErrInvalidArgument = 87,
  ErrFileSystem = 90,
};

int32_t ErrorCode();
std::string ErrorText();
// The driver's own code, kept as text (drivers report codes that are not numbers).
std::string FileErrorCode();
std::string FileErrorText();

// Sets the code and its standard text ("Access denied" for 5 ...).
void SetError(int32_t code);
void SetError(int32_t code, std::string_view text);
// Sets the driver's error (code 90 with the driver's own code and text).
void SetFileError(std::string_view fileCode, std::string_view fileText);
void ClearError();
// The standard text of a code; "Error <n>" for codes without one.
std::string StandardErrorText(int32_t code);

// The calling thread's number. The first thread that asks (the program's
// main thread, which asks during start-up) is 1; every other thread gets the
// next number the first time it asks.
int32_t Thread();

}  // namespace rt
