#pragma once
// The error manager: every failure in the framework is reported here by error
// id. It keeps the table of error definitions, fills a message's placeholders
// from the captured error state, acts by the entry's level (nothing, a notice,
// a Yes/No question, a fatal message and a halt), and passes every message it
// shows through one path: optional log line, optional history entry, then the
// message function (or the error window while a history is kept).
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "framework/error/ErrorEntry.h"
#include "framework/error/ErrorLogFile.h"
#include "framework/error/HistoryEntry.h"
#include "framework/error/LogSink.h"
#include "framework/error/ProcedureNameEntry.h"
#include "framework/window/ErrorReporter.h"
#include "framework/window/Level.h"
#include "runtime/Queue.h"
#include "runtime/Text.h"

namespace quibra {

// The id that names the default category in AssignCategory and CategoryOf.
constexpr uint16_t DefaultCategoryId = 65535;
// Appended to a fatal message.
inline constexpr std::string_view EndNotice = "  Press OK to end this application";

// Windows reach the manager as an ErrorReporter; its Raise and AskUser are
// the ones that base forwards to.
class ErrorManager : public ErrorReporter {
 public:
  ErrorManager();
  virtual ~ErrorManager();
  ErrorManager(const ErrorManager&) = delete;
  ErrorManager& operator=(const ErrorManager&) = delete;

  std::string DEFAULTCATEGORY;
  std::unique_ptr<rt::Queue<ErrorEntry>> ERRORS;
  LogSink* ERRORLOG = nullptr;
  rt::CString<255> FIELDNAME;
  rt::CString<255> FILENAME;
  std::unique_ptr<rt::Queue<HistoryEntry>> HISTORY;
  rt::CString<255> MESSAGETEXT;
  std::unique_ptr<rt::Queue<ProcedureNameEntry>> PROCNAMES;
  rt::CString<255> SAVEERROR;
  int32_t SAVEERRORCODE = 0;
  rt::CString<255> SAVEFILEERROR;
  rt::CString<255> SAVEFILEERRORCODE;
  uint8_t SILENT = 0;
  std::unique_ptr<ErrorLogFile> STDERRORLOG;
  uint8_t LOGERRORS = 0;
  int32_t HISTORYTHRESHOLD = 0;  // 0 keeps no history, < 0 keeps all, > 0 keeps the newest that many
  int32_t HISTORYVIEWLEVEL = 0;  // while a history is kept, only this level is shown
  uint8_t HISTORYRESETONVIEW = 0;

  // Appends every whole entry of a stored table and returns how many. The
  // table's bytes must outlive the manager. A table cut short, or one whose
  // count promises more than it holds, loads up to its last whole entry.
  virtual int32_t LoadTable(const uint8_t* table, std::size_t size);
  // Appends the record in HISTORY's buffer at the end of the history.
  virtual void AppendHistory();
  // Shows the history in the error window; returns the button pressed.
  virtual int32_t RunHistoryWindow(const std::string& caption, int32_t icon, int32_t buttons, int32_t defaultButton);
  virtual void Prepare(LogSink* log);
  virtual int32_t Deliver(const std::string& text, const std::string& caption, const std::string& icon, int32_t buttons,
                          int32_t defaultButton, int32_t style);
  virtual int32_t ShowBox(const std::string& text, const std::string& caption, const std::string& icon, int32_t buttons,
                          int32_t defaultButton, int32_t style);
  virtual Level OnLevelOk();
  virtual Level OnLevelFatal();
  virtual void OnLevelNotify();
  virtual Level OnLevelOther();
  virtual Level OnLevelProgramError();
  virtual Level OnLevelQuestion();
  virtual void ShowHistory();

  // Makes the last-loaded entry with this id current: 0 found, 5 not.
  Level Locate(uint16_t id);
  // The entry the reporting paths work on: the one Locate made current, or,
  // after a report of an id that is not loaded, a notice naming that id.
  const ErrorEntry& CurrentEntry() const;
  void NoteFile(std::string_view name);
  void CaptureErrorState();
  // The current entry's message with its placeholders filled in.
  std::string ExpandText();

  Level Raise(uint16_t id);
  Level Dispatch(uint16_t id);
  // Asks with the caller's buttons whatever the entry's level; returns the
  // button pressed. Neither logged nor kept in the history.
  int32_t AskUser(uint16_t id, int32_t buttons, int32_t defaultButton);

  // pop = false pushes `name` for the calling thread; pop = true removes the
  // thread's newest name unless it is empty.
  void TrackProcedure(std::string_view name, bool pop);
  std::string CurrentProcedure();
  void AssignCategory(uint16_t id, std::string_view category);
  std::string CategoryOf(uint16_t id);

  void ClearHistory();
  void Setup();
  void Shutdown();

 private:
  // Makes a notice naming an id that is not loaded the current entry.
  void SelectUnknown(uint16_t id);
  void RecordHistory(const std::string& text);
  void WriteLog(const std::string& text);
  // The newest position of the calling thread in PROCNAMES, 0 when none.
  int32_t NewestOfThread() const;

  bool unknownCurrent_ = false;
  ErrorEntry unknown_;
  std::string unknownTitle_;
  std::string unknownText_;
  std::mutex procNamesLock_;  // PROCNAMES is shared by every thread
  // Log lines of messages the log could not take when they came, written
  // before the next message's line; the oldest go first when there are too
  // many, and how many went is written in their place.
  std::deque<std::string> unlogged_;
  uint32_t unloggedDropped_ = 0;
};

}  // namespace quibra
