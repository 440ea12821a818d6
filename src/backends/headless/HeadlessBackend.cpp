#include "backends/headless/HeadlessBackend.h"

#include "backends/headless/HeadlessState.h"
#include "runtime/EventLoop.h"
#include "runtime/Events.h"
#include "runtime/Window.h"

namespace headless {
namespace {

using rt::ControlKind;

std::string WindowName(const rt::Window& w) { return "window '" + w.Def().name + "'"; }

// How a failure message names what waits: the box by its text, a window by its name.
std::string Waiting(const rt::Window& w) {
  if (const rt::MessageBoxInfo* box = w.BoxInfo()) return "message box " + Quote(box->text) + " shown";
  return WindowName(w) + " waits for input";
}

const char* KindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::Prompt:
      return "a prompt";
    case ControlKind::Entry:
      return "an entry";
    case ControlKind::Button:
      return "a button";
    case ControlKind::OptionGroup:
      return "an option group";
    case ControlKind::Radio:
      return "a radio";
    case ControlKind::CheckBox:
      return "a check box";
    case ControlKind::Group:
      return "a group";
    case ControlKind::List:
      return "a list";
    case ControlKind::Spin:
      return "a spin";
    case ControlKind::Image:
      return "an image";
    case ControlKind::Sheet:
      return "a sheet";
    case ControlKind::Text:
      return "a text";
  }
  return "a control";
}

// Checks that the step's control exists, is visible and is one of the kinds
// the step can act on.
void Require(const rt::Window& w, const Step& step, std::initializer_list<ControlKind> kinds) {
  const rt::ControlDef* d = w.Control(step.control);
  std::string prefix = "the script expects: " + step.Describe() + ", but ";
  if (!d) Fail(prefix + WindowName(w) + " has no control " + std::to_string(step.control));
  bool fits = false;
  for (ControlKind k : kinds) fits = fits || d->kind == k;
  if (!fits) Fail(prefix + "control " + std::to_string(step.control) + " is " + KindName(d->kind));
  if (w.IsHidden(step.control)) Fail(prefix + "control " + std::to_string(step.control) + " is hidden");
}

}  // namespace

void HeadlessBackend::CreateNativeWindow(rt::Window& window) {
  State& s = Shared();
  std::lock_guard<std::recursive_mutex> hold(s.lock);
  s.handles[&window] = s.nextHandle;
  s.nextHandle += 0x10;
  const rt::MessageBoxInfo* box = window.BoxInfo();
  if (!box) return;
  BoxRecord r;
  r.drawer = "runtime";
  r.text = box->text;
  r.caption = box->caption;
  r.lines = box->lines;
  r.scrolls = box->scrolls;
  r.owner = box->owner;
  for (const rt::MessageBoxInfo::Button& b : box->shown) {
    if (b.value < rt::kFirstExtraButton) r.buttons |= b.value;
    r.captions.push_back(b.caption);
    r.values.push_back(b.value);
  }
  r.checkBox = box->checkBox;
  r.defaultValue = box->defaultValue;
  r.icon = box->icon;
  r.defaultButton = box->defaultButton;
  r.style = box->style;
  r.timeout = box->timeout;
  s.boxRecords[&window] = s.boxes.size();
  s.boxes.push_back(r);
}

void HeadlessBackend::DestroyNativeWindow(rt::Window& window) {
  State& s = Shared();
  std::lock_guard<std::recursive_mutex> hold(s.lock);
  if (auto it = s.boxRecords.find(&window); it != s.boxRecords.end()) {
    if (window.BoxInfo()) s.boxes[it->second].result = window.BoxInfo()->result;
    s.boxRecords.erase(it);
  }
  s.handles.erase(&window);
  s.pendingEdits.erase(&window);
  s.timerElapsed.erase(&window);
}

// A box's default button taking a new caption is its countdown.
void HeadlessBackend::ControlChanged(rt::Window& window, int32_t control) {
  const rt::MessageBoxInfo* box = window.BoxInfo();
  if (!box || box->timeout <= 0) return;
  State& s = Shared();
  std::lock_guard<std::recursive_mutex> hold(s.lock);
  auto record = s.boxRecords.find(&window);
  if (record == s.boxRecords.end()) return;
  std::vector<std::string>& countdown = s.boxes[record->second].countdown;
  for (const rt::MessageBoxInfo::Button& b : box->shown)
    if (b.control == control && b.value == box->defaultValue) {
      const std::string caption = window.Text(control);
      if (caption != (countdown.empty() ? b.caption : countdown.back())) countdown.push_back(caption);
    }
}

void HeadlessBackend::TimerChanged(rt::Window& window) {
  State& s = Shared();
  std::lock_guard<std::recursive_mutex> hold(s.lock);
  s.timerElapsed[&window] = 0;
}

rt::ScreenArea HeadlessBackend::WorkArea() const { return rt::kClassicWorkArea; }

rt::BoxAnswer HeadlessBackend::NativeBox(const rt::BoxRequest& request) { return RecordedRequestBox(request); }

void HeadlessBackend::FocusChanged(rt::Window&, int32_t) {}

intptr_t HeadlessBackend::NativeHandle(const rt::Window& window) const {
  State& s = Shared();
  std::lock_guard<std::recursive_mutex> hold(s.lock);
  auto it = s.handles.find(&window);
  return it == s.handles.end() ? 0 : it->second;
}

void HeadlessBackend::Beep(int32_t frequency, int32_t duration) {
  State& s = Shared();
  std::lock_guard<std::recursive_mutex> hold(s.lock);
  s.beeps.push_back({frequency, duration});
}

void HeadlessBackend::SetClipboardText(const std::string& text) {
  State& s = Shared();
  std::lock_guard<std::recursive_mutex> hold(s.lock);
  s.clipboard = text;
}

void HeadlessBackend::SetCursor(const std::string& cursor) {
  State& s = Shared();
  std::lock_guard<std::recursive_mutex> hold(s.lock);
  s.cursors.push_back(cursor);
}

void HeadlessBackend::WaitForEvent(rt::Window& window) {
  State& s = Shared();
  for (;;) {
    Step step;
    {
      std::lock_guard<std::recursive_mutex> hold(s.lock);
      if (s.steps.empty()) Fail(Waiting(window) + " but the script has no more steps");
      step = s.steps.front();
      bool box = window.BoxInfo() != nullptr;
      const bool anywhere = step.kind == Step::Kind::Run || step.kind == Step::Kind::Wait;
      if (!anywhere && (step.ForBox() != box || step.kind == Step::Kind::AnswerNative))
        Fail(Waiting(window) + " but the script expects: " + step.Describe());
      s.steps.pop_front();
    }
    if (step.kind == Step::Kind::Run) {
      step.run();
      if (!window.IsOpen() || window.QueuedEvents() > 0) return;
      continue;
    }
    Perform(window, step);
    // A step that queues nothing (an ignored close of a box, an unalerted
    // key) lets the user act again.
    if (!window.IsOpen() || window.QueuedEvents() > 0) return;
  }
}

void HeadlessBackend::UserFocus(rt::Window& window, int32_t control) {
  if (window.Focus() == control) return;
  State& s = Shared();
  int32_t edited = 0;
  {
    std::lock_guard<std::recursive_mutex> hold(s.lock);
    if (auto it = s.pendingEdits.find(&window); it != s.pendingEdits.end()) {
      edited = it->second;
      s.pendingEdits.erase(it);
    }
  }
  if (edited && edited != control) window.Post(rt::EventControlAccepted, edited);
  window.MoveFocus(control);
  window.Post(rt::EventControlSelected, control);
}

void HeadlessBackend::Perform(rt::Window& w, const Step& step) {
  using K = Step::Kind;
  const int32_t c = step.control;
  switch (step.kind) {
    case K::Type:
    case K::SetSpin: {
      if (step.kind == K::Type)
        Require(w, step, {ControlKind::Entry, ControlKind::Spin});
      else
        Require(w, step, {ControlKind::Spin});
      UserFocus(w, c);
      w.EnterText(c, step.kind == K::Type ? step.text : std::to_string(step.value));
      State& s = Shared();
      std::lock_guard<std::recursive_mutex> hold(s.lock);
      s.pendingEdits[&w] = c;
      return;
    }
    case K::Choose:
      Require(w, step, {ControlKind::Radio});
      if (!w.GroupOf(c)) Fail("the script expects: " + step.Describe() + ", but the radio is in no option group");
      UserFocus(w, c);
      w.ChooseRadio(c);
      w.Post(rt::EventControlAccepted, w.GroupOf(c), rt::KeyMouseLeft);
      return;
    case K::Toggle:
      Require(w, step, {ControlKind::CheckBox});
      UserFocus(w, c);
      w.ToggleCheck(c);
      w.Post(rt::EventControlAccepted, c, rt::KeyMouseLeft);
      return;
    case K::Press:
      Require(w, step, {ControlKind::Button});
      UserFocus(w, c);
      w.Post(rt::EventControlAccepted, c, rt::KeyMouseLeft);
      return;
    case K::PressKeepingFocus:
      Require(w, step, {ControlKind::Button});
      w.Post(rt::EventControlAccepted, c);
      return;
    case K::PressKey: {
      if (c != 0) {
        if (!w.Control(c))
          Fail("the script expects: " + step.Describe() + ", but " + WindowName(w) + " has no control " +
               std::to_string(c));
        UserFocus(w, c);
      }
      bool alerted = false;
      for (int32_t i = 1; i <= 255 && !alerted && c != 0; ++i)
        alerted = w.GetProperty(c, rt::PropAlertedKeys, i).Number() == step.value;
      if (alerted)
        w.Post(rt::EventAlertedKey, c, step.value);
      else
        rt::SetKeyCode(step.value);
      return;
    }
    case K::CloseWindow:
      w.Post(rt::EventCloseRequested);
      return;
    case K::PostEvent:
      w.Post(step.value, c);
      return;
    case K::AnswerBox: {
      const rt::MessageBoxInfo* box = w.BoxInfo();
      for (const rt::MessageBoxInfo::Button& b : box->shown)
        if (b.value == step.value) {
          UserFocus(w, b.control);
          w.Post(rt::EventControlAccepted, b.control, rt::KeyMouseLeft);
          return;
        }
      std::string shown;
      for (const rt::MessageBoxInfo::Button& b : box->shown) shown += (shown.empty() ? "" : ", ") + ButtonName(b.value);
      Fail("the script expects: " + step.Describe() + ", but message box " + Quote(box->text) + " shows only " + shown);
    }
    case K::CloseBox:
      w.Post(rt::EventCloseRequested);
      return;
    case K::EscapeBox:
      w.Post(rt::EventCloseRequested, 0, rt::KeyEscape);
      return;
    case K::PressBoxCaption: {
      const rt::MessageBoxInfo* box = w.BoxInfo();
      for (const rt::MessageBoxInfo::Button& b : box->shown)
        if (step.text.empty() ? b.value == box->defaultValue : CaptionReads(b.caption, step.text)) {
          UserFocus(w, b.control);
          w.Post(rt::EventControlAccepted, b.control, step.text.empty() ? rt::KeyEnter : rt::KeyMouseLeft);
          return;
        }
      Fail("the script expects: " + step.Describe() + ", but message box " + Quote(box->text) + " has no such button");
    }
    case K::TickBox: {
      const rt::MessageBoxInfo* box = w.BoxInfo();
      if (!box->checkControl)
        Fail("the script expects: " + step.Describe() + ", but message box " + Quote(box->text) + " has none");
      w.ToggleCheck(box->checkControl);
      State& s = Shared();
      std::lock_guard<std::recursive_mutex> hold(s.lock);
      if (auto it = s.boxRecords.find(&w); it != s.boxRecords.end())
        s.boxes[it->second].checked = !s.boxes[it->second].checked;
      return;
    }
    case K::ChooseCommand:
    case K::PressShortcut: {
      for (const rt::WindowCommand& command : w.Def().commands)
        if (step.kind == K::ChooseCommand ? command.number == step.value
                                          : !command.shortcut.empty() && command.shortcut == step.text) {
          w.Post(rt::EventCommand, 0, command.number);
          return;
        }
      Fail("the script expects: " + step.Describe() + ", but " + WindowName(w) + " offers no such command");
    }
    case K::Wait: {
      const int32_t period = w.TimerPeriod();
      if (period <= 0) return;
      State& s = Shared();
      std::lock_guard<std::recursive_mutex> hold(s.lock);
      int32_t& elapsed = s.timerElapsed[&w];
      for (elapsed += step.value; elapsed >= period; elapsed -= period) w.Post(rt::EventTimer);
      return;
    }
    case K::Run:
    case K::AnswerNative:
      return;  // handled by the caller
  }
}

}  // namespace headless
