// The manager's life (set-up, preparation, shutdown) and the per-thread
// procedure names.
#include "framework/error/ErrorManager.h"

#include "framework/error/DefaultErrorTable.h"
#include "runtime/ErrorState.h"

namespace quibra {

ErrorManager::ErrorManager()
    : ErrorReporter([](ErrorReporter& self, uint16_t id) { return static_cast<ErrorManager&>(self).Raise(id); },
                    [](ErrorReporter& self, uint16_t id, int32_t buttons, int32_t defaultButton) {
                      return static_cast<ErrorManager&>(self).AskUser(id, buttons, defaultButton);
                    }) {}
ErrorManager::~ErrorManager() = default;

void ErrorManager::Setup() {
  STDERRORLOG = std::make_unique<ErrorLogFile>();
  AssignCategory(DefaultCategoryId, "App");
  HISTORYTHRESHOLD = 0;
  HISTORYVIEWLEVEL = LevelFatal;
  HISTORYRESETONVIEW = 0;
  Prepare(&STDERRORLOG->ERRORLOGINTERFACE);
}

void ErrorManager::Prepare(LogSink* log) {
  ERRORLOG = log;
  ERRORS = std::make_unique<rt::Queue<ErrorEntry>>();
  LoadTable(DefaultErrorTable(), DefaultErrorTableSize());
  {
    std::lock_guard<std::mutex> hold(procNamesLock_);
    PROCNAMES = std::make_unique<rt::Queue<ProcedureNameEntry>>();
  }
  if (!HISTORY) HISTORY = std::make_unique<rt::Queue<HistoryEntry>>();
}

void ErrorManager::Shutdown() {
  ERRORS.reset();
  HISTORY.reset();
  {
    std::lock_guard<std::mutex> hold(procNamesLock_);
    PROCNAMES.reset();
  }
  unknownCurrent_ = false;
  if (STDERRORLOG) {
    STDERRORLOG->EndUse(true);
    // The log in use may be the standard one, which is about to go.
    if (ERRORLOG == &STDERRORLOG->ERRORLOGINTERFACE) ERRORLOG = nullptr;
    STDERRORLOG.reset();
  }
}

int32_t ErrorManager::NewestOfThread() const {
  if (!PROCNAMES) return 0;
  const int32_t thread = rt::Thread();
  for (int32_t n = PROCNAMES->Records(); n >= 1; --n)
    if (PROCNAMES->At(n).THREAD == thread) return n;
  return 0;
}

// The list is shared by every thread, so each use of it is locked; each
// thread sees only its own entries.
void ErrorManager::TrackProcedure(std::string_view name, bool pop) {
  std::lock_guard<std::mutex> hold(procNamesLock_);
  if (!PROCNAMES) return;
  if (!pop) {
    PROCNAMES->buffer = ProcedureNameEntry{rt::Thread(), rt::Clip(name)};
    PROCNAMES->Add();
    return;
  }
  const int32_t newest = NewestOfThread();
  // An entry pushed with an empty name is never removed by a pop.
  if (newest == 0 || PROCNAMES->At(newest).NAME.empty()) return;
  PROCNAMES->Get(newest);
  PROCNAMES->Delete();
}

std::string ErrorManager::CurrentProcedure() {
  std::lock_guard<std::mutex> hold(procNamesLock_);
  const int32_t newest = NewestOfThread();
  return newest == 0 ? std::string() : PROCNAMES->At(newest).NAME;
}

}  // namespace quibra
