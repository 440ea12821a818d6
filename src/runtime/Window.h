#pragma once
// A prepared window: a copy of its definition, the state of its controls, the
// variables bound to them, its properties, its event queue and the state of
// its event loop. Programs reach windows through the functions at the end of
// this header and the event loop (EventLoop.h); backends feed what the user
// does through the input members, which never call back into the backend.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/Binding.h"
#include "runtime/MessageBoxInfo.h"
#include "runtime/Property.h"
#include "runtime/WindowDef.h"

namespace rt {

// Called when the event it was registered for is fetched for its window,
// before the event loop sees the event (rt::Event and rt::Field already name
// it). A result of 0 lets the event go on to the loop; any other result
// consumes it: the loop never sees it and the runtime does not handle it (a
// consumed close request leaves the window open).
using EventCallback = int32_t (*)(void* object);

// A list control's rows: the cell text of a row (from 1) and column (from 1).
// Row -1 asks for the number of rows, -2 for the number of columns, -3 is
// answered with 1.
using ListRowCallback = std::string (*)(void* source, int32_t row, int32_t column);

class Window {
 public:
  Window(const WindowDef& def, std::vector<Binding> bindings);
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  const WindowDef& Def() const { return def_; }
  std::string Title() const { return title_; }
  bool IsOpen() const { return open_; }

  // Controls.
  const ControlDef* Control(int32_t c) const;
  std::vector<int32_t> DataControls() const;  // in definition order
  bool IsHidden(int32_t c) const;
  std::string Text(int32_t c) const;
  // What a screen reader reads of a control: its caption and a description.
  // The caption is its text unless one was set, for a control whose drawn
  // text changes while it is read (a button counting down says "OK (5)" and
  // is read "OK"); the description is empty unless set.
  std::string SpokenCaption(int32_t c) const;
  std::string Description(int32_t c) const;
  void SetSpokenCaption(int32_t c, std::string caption);
  void SetDescription(int32_t c, std::string description);
  std::string Contents(int32_t c) const;
  bool IsChecked(int32_t radio) const;   // its option group holds its value
  int32_t GroupOf(int32_t radio) const;  // 0 for a radio outside any group
  bool ContentsValid(int32_t c) const;   // the contents fit the picture
  int32_t Focus() const { return focus_; }

  // What the user does, for backends. Each returns false when the control
  // cannot take that input (wrong kind, unknown number).
  bool EnterText(int32_t c, std::string_view text);  // cut to the picture's width
  bool ChooseRadio(int32_t radio);
  bool ToggleCheck(int32_t c);
  void MoveFocus(int32_t c);

  // The program's side.
  void Display(int32_t c);  // variable to control; 0 = all
  // Control to variable; 0 = all. Contents that break their picture are not
  // stored: the variable keeps its last good value.
  void Update(int32_t c);
  // Moves the focus to a control; a prompt hands it on to the next control
  // that can take it. 0 starts the select-all validation pass.
  void Select(int32_t c);
  Value GetProperty(int32_t c, int32_t property, int32_t index) const;
  void SetProperty(int32_t c, int32_t property, int32_t index, const Value& value);
  std::string ListCell(int32_t c, int32_t row, int32_t column) const;

  // Events. Posting to a window that is not open does nothing.
  static constexpr int32_t KeepKeyCode = -1;
  void Post(int32_t event, int32_t control = 0, int32_t keyCode = KeepKeyCode);
  std::size_t QueuedEvents() const { return queue_.size(); }
  // Queues EventTimer every `milliseconds` from now until it is stopped (0)
  // or the window closes; a closed window takes no timer. The backend keeps
  // the time.
  void SetTimer(int32_t milliseconds);
  int32_t TimerPeriod() const { return timer_; }
  void RegisterCallback(int32_t event, EventCallback fn, void* object);
  void UnregisterCallback(int32_t event, EventCallback fn, void* object);

  // Set on the window of the runtime's own message box.
  MessageBoxInfo* BoxInfo() const { return box_; }
  void AttachBoxInfo(MessageBoxInfo* info) { box_ = info; }
  // The controls of a message box's text, a prompt a line, in order; empty
  // for another window. A screen reader reads them as one text.
  std::vector<int32_t> BoxLines() const;

  // For the runtime's window and loop functions.
  struct CurrentEvent {
    int32_t event = 0;
    int32_t control = 0;
    int32_t accepted = 0;
  };
  const CurrentEvent& Current() const { return current_; }
  void ClearCurrent() { current_ = {}; }
  // Fetches the next event, waiting on the backend when there is none;
  // false when the window closed meanwhile.
  bool NextEvent();
  void MarkOpen(bool open);

  // For tests:
  // True while the select-all validation pass (Select(0)) runs.
  bool ValidationPassActive() const { return pass_.active; }

 private:
  int32_t FocusTarget(int32_t c) const;
  struct QueuedEvent {
    int32_t event;
    int32_t control;
    int32_t keyCode;
  };
  struct ControlState {
    std::string text;
    std::string contents;
    std::string spokenCaption;  // empty: the text
    std::string description;
    bool hidden = false;
    int binding = -1;   // index into bindings_
    int32_t group = 0;  // a radio's option group
    std::map<std::pair<int32_t, int32_t>, Value> properties;
  };
  struct Callback {
    int32_t event;
    EventCallback fn;
    void* object;
  };
  struct Pass {
    bool active = false;
    std::size_t next = 0;
  };

  ControlState* State(int32_t c);
  const ControlState* State(int32_t c) const;
  void Changed(int32_t c);
  bool NextPassEvent(QueuedEvent& e);
  bool RunCallbacks(int32_t event);

  WindowDef def_;
  std::vector<Binding> bindings_;
  std::vector<ControlState> controls_;  // parallel to def_.controls
  std::map<std::pair<int32_t, int32_t>, Value> properties_;
  std::string title_;
  bool open_ = false;
  int32_t focus_ = 0;
  std::deque<QueuedEvent> queue_;
  CurrentEvent current_;
  Pass pass_;
  std::vector<Callback> callbacks_;
  MessageBoxInfo* box_ = nullptr;
  int32_t timer_ = 0;
};

// Prepares a registered window with variables bound, in order, to its data
// controls. nullptr, with the error state set, when the window is not
// registered or there are more bindings than data controls.
Window* PrepareWindow(std::string_view module, std::string_view name, std::vector<Binding> bindings = {});
// The same from a definition built on the fly (it is copied).
Window* PrepareWindow(const WindowDef& def, std::vector<Binding> bindings = {});
// Opens the window: shows its variables, gives the focus to `focus` (where
// that control can take it) or else to its first control that can, makes it
// the current window of this thread and queues 515 (EventWindowOpened).
// Opening an open window does nothing.
void OpenWindow(Window* window, int32_t focus = 0);
// Closes the window (its queued events go); harmless when already closed.
void CloseWindow(Window* window);
// Closes and frees the window; a window not (or no longer) prepared is ignored.
void ReleaseWindow(Window* window);
// True while the window is prepared (not yet released).
bool IsPrepared(const Window* window);
// The window opened last on this thread and still open, or nullptr.
Window* CurrentWindow();

// The same operations on the current window.
void Display(int32_t control = 0);
void Update(int32_t control = 0);
void Select(int32_t control = 0);

// For tests:
// How many windows are prepared and not yet released, on every thread.
int32_t PreparedWindowCount();
// The window whose event loop runs innermost on this thread, or nullptr.
Window* LoopWindow();
// Releases every window and forgets this thread's windows, loops, bind
// levels and key code (the headless backend's Reset, between cases, too).
void ResetWindowing();

}  // namespace rt
