#pragma once
// The headless backend's shared state, for its own files only.
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "backends/headless/Records.h"
#include "runtime/MessageBox.h"

namespace rt {
class Window;
}

namespace headless {

struct Step {
  enum class Kind {
    Type,
    SetSpin,
    Choose,
    Toggle,
    Press,
    PressKeepingFocus,
    PressKey,
    CloseWindow,
    Run,
    PostEvent,
    AnswerBox,
    AnswerNative,
    CloseBox,
    EscapeBox,
    Wait,
    ChooseCommand,
    PressShortcut,
    TickBox,
    PressBoxCaption,
  };
  Kind kind;
  int32_t control = 0;
  int32_t value = 0;  // spin value, key code, event code, answer or milliseconds
  std::string text;
  std::function<void()> run;

  bool ForBox() const {
    return kind == Kind::AnswerBox || kind == Kind::AnswerNative || kind == Kind::CloseBox || kind == Kind::EscapeBox ||
           kind == Kind::TickBox || kind == Kind::PressBoxCaption;
  }
  std::string Describe() const;
};

struct State {
  // Recursive: a Run step's function may read the records while a step is
  // being taken.
  std::recursive_mutex lock;
  std::deque<Step> steps;
  std::vector<BoxRecord> boxes;
  std::vector<PlatformCall> calls;
  std::vector<BeepRecord> beeps;
  std::vector<std::string> cursors;
  std::string clipboard;
  int32_t fullWindowDrag = 0;  // what the system would report: 1 on, 0 off, any other value as it is
  bool failSystemParameters = false;
  int allocationsBeforeFailure = 0;
  int allocationsToFail = 0;
  std::set<void*> heapBlocks;
  // Per open window: its native handle, the box record it shows, and the
  // edited entry whose edit is not yet accepted.
  std::map<const rt::Window*, intptr_t> handles;
  std::map<const rt::Window*, std::size_t> boxRecords;
  std::map<const rt::Window*, int32_t> pendingEdits;
  // Per window with a timer: the time waited since its last EventTimer.
  std::map<const rt::Window*, int32_t> timerElapsed;
  intptr_t nextHandle = 0x10010;
};

State& Shared();

// Stands the recorder behind the platform's Win32 calls (Win32Simulation.cpp).
void InstallPlatformCalls();
// The native box of a whole request, recorded and answered by the script.
rt::BoxAnswer RecordedRequestBox(const rt::BoxRequest& request);

// Reports a script failure; never returns.
[[noreturn]] void Fail(const std::string& message);

// Whether a button's caption is `label` as a person reads it: without its
// access mark ("&Yes" is "Yes", "&&" an '&').
bool CaptionReads(const std::string& caption, const std::string& label);

// The name of a ButtonSet value ("YES"), or its number.
std::string ButtonName(int32_t value);
// The steps' short texts for failure messages: "'text'" cut to 60 characters.
std::string Quote(const std::string& text);

}  // namespace headless
