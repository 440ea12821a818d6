#include "runtime/ErrorState.h"

#include <atomic>

#include "runtime/PerThread.h"

namespace rt {
namespace {

struct State {
  int32_t code = 0;
  std::string text;
  std::string fileCode;
  std::string fileText;
};

State& Current() { return PerThread<State>(); }

std::atomic<int32_t> nextThread{1};

// Numbers the loading thread first, so that the main thread is 1 whatever
// else starts threads later.
const int32_t mainThread = Thread();

}  // namespace

int32_t ErrorCode() { return Current().code; }
std::string ErrorText() { return Current().text; }
std::string FileErrorCode() { return Current().fileCode; }
std::string FileErrorText() { return Current().fileText; }

std::string StandardErrorText(int32_t code) {
  switch (code) {
    case ErrNone:
      return "";
    case ErrFileNotFound:
      return "File Not Found";
    case ErrPathNotFound:
      return "Path Not Found";
    case ErrTooManyFiles:
      return "Too Many Open Files";
    case ErrAccessDenied:
      return "Access Denied";
    case ErrInvalidHandle:
      return "Invalid File Handle";
    case ErrEntryNotFound:
      return "Entry Not Found";
    case ErrRecordNotAvailable:
      return "Record Not Available";
    case ErrRecordNotFound:
      return "Record Not Found";
    case ErrFileNotOpen:
      return "File Not Open";
    case ErrDuplicateKey:
      return "Creates Duplicate Key";
    case ErrBadRecord:
      return "Record Is Already Held";
    case ErrKeysNeedRebuild:
      return "Keys Need Rebuilding";
    case ErrInvalidDeclaration:
      return "Invalid Record Declaration";
    case ErrFileAlreadyOpen:
      return "File Already Open";
    case ErrNotSupported:
      return "Function Not Supported";
    case ErrInvalidArgument:
      return "Invalid Argument";
    case ErrFileSystem:
      return "File System Error";
  }
  return "Error " + std::to_string(code);
}

void SetError(int32_t code) { SetError(code, StandardErrorText(code)); }

void SetError(int32_t code, std::string_view text) {
  State& s = Current();
  s.code = code;
  s.text = text;
  s.fileCode.clear();
  s.fileText.clear();
}

void SetFileError(std::string_view fileCode, std::string_view fileText) {
  State& s = Current();
  s.code = ErrFileSystem;
  s.text = StandardErrorText(ErrFileSystem);
  s.fileCode = fileCode;
  s.fileText = fileText;
}

void ClearError() { Current() = State{}; }

int32_t Thread() {
  thread_local int32_t number = nextThread.fetch_add(1);
  (void)mainThread;
  return number;
}

}  // namespace rt
