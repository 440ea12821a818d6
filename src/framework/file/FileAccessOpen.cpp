// The physical open: at most two attempts, each with the recover command and
// a second try when access is denied, the read-only fallback, creation of a
// missing file and the rebuilding of keys.
#include <string>

#include "framework/file/FileAccessManager.h"
#include "runtime/ErrorState.h"
#include "runtime/File.h"

namespace quibra {

namespace {

// The error state of the last open that failed, so that a failure reported
// after other work (a notice shown, a file created) still names the open's
// own fault rather than whatever ran last.
struct OpenFault {
  int32_t code = 0;
  std::string text, fileCode, fileText;

  void Take() {
    code = rt::ErrorCode();
    text = rt::ErrorText();
    fileCode = rt::FileErrorCode();
    fileText = rt::FileErrorText();
  }
  void Put() const {
    if (code == rt::ErrFileSystem)
      rt::SetFileError(fileCode, fileText);
    else
      rt::SetError(code, text);
  }
};

}  // namespace

Level FileAccessManager::OpenPhysically(uint8_t report) {
  SelectThreadState();
  OpenFault fault;
  // Leaving with an error: it is recorded, and told only when asked to.
  auto leave = [&](uint16_t id) -> Level {
    fault.Put();
    RecordError(id);
    return report ? ReportRecordedError() : Level{LevelNotify};
  };
  if (!DATAFILE) {
    rt::SetError(rt::ErrInvalidArgument, "Invalid Argument: no file is attached");
    fault.Take();
    return leave(23);
  }
  for (int attempt = 0; attempt < 2; ++attempt) {
    DATAFILE->Open(ACCESSMODE);
    int32_t code = rt::ErrorCode();
    if (code == rt::ErrAccessDenied) {
      // The driver's answer carries nothing the open needs.
      const std::string sign = RECOVERVALUE < 0 ? "-" : "";
      const int32_t magnitude = RECOVERVALUE < 0 ? -static_cast<int32_t>(RECOVERVALUE) : RECOVERVALUE;
      DATAFILE->Send("Recover=" + sign + std::to_string(magnitude));
      DATAFILE->Open(ACCESSMODE);
      code = rt::ErrorCode();
    }
    fault.Take();
    switch (code) {
      case rt::ErrNone:
      case rt::ErrFileAlreadyOpen: {
        ThreadStateEntry state = ThreadState();
        state.ISOPEN = 1;
        state.STATUS1 = 0;
        state.STATUS2 = 0;
        StoreThreadState(state);
        rt::ClearError();
        return LevelOk;
      }
      case rt::ErrAccessDenied:
        if ((ACCESSMODE & 0x03) == 0) return leave(23);
        // Read-only with the same sharing, for this open and every later one.
        ACCESSMODE = static_cast<uint8_t>(ACCESSMODE & 0xF0);
        ReportError(2);
        continue;
      case rt::ErrFileNotFound:
        if (!CREATEIFMISSING) return leave(23);
        if (DATAFILE->Create()) continue;
        RecordError(10);
        return report ? ReportRecordedError() : Level{LevelNotify};
      case rt::ErrKeysNeedRebuild:
        RecordError(27);
        if (!report) return LevelNotify;
        ReportRecordedError();
        if (DATAFILE->BuildKeys()) continue;
        return ReportError(26);
      default:
        return leave(23);
    }
  }
  return leave(23);
}

}  // namespace quibra
