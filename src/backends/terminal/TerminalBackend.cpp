#include "backends/terminal/TerminalBackend.h"

#include <errno.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "backends/terminal/Terminal.h"
#include "backends/terminal/WindowPaint.h"
#include "platform/Win32Api.h"
#include "runtime/BoxRules.h"
#include "runtime/CharacterCells.h"
#include "runtime/Events.h"
#include "runtime/Text.h"
#include "runtime/Window.h"

namespace terminal {
namespace {

int64_t NowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

BoxModel ModelOfInfo(const rt::Window& window, const rt::MessageBoxInfo& info) {
  BoxModel box;
  box.title = info.caption;
  box.icon = rt::IconFlag(rt::Clip(info.icon)) ? rt::Clip(info.icon) : std::string();
  box.lines = info.lines;
  for (const rt::MessageBoxInfo::Button& b : info.shown) {
    if (b.value == info.defaultValue) box.defaultIndex = box.buttons.size();
    box.buttons.push_back({window.Text(b.control), b.value});
  }
  box.escapeValue = info.escapeValue;
  box.checkBox = info.checkBox;
  box.systemModal = info.style != 0;
  box.focus = box.defaultIndex;
  return box;
}

// A box over the windows shown: they lose the focus while it is up.
rt::BoxAnswer RunBoxOver(BoxModel box, int32_t seconds) {
  Backend().CoverTop();
  const rt::BoxAnswer answer = RunBox(std::move(box), seconds);
  Backend().UncoverTop();
  return answer;
}

int32_t TerminalMessageBox(os::HWND, const char* text, const char* caption, os::UINT flags) {
  const rt::BoxAnswer answer = RunBoxOver(ModelOfFlags(text, caption, flags, Backend().WorkArea()), 0);
  return rt::NativeIdOfButton(answer.button);
}

int32_t TerminalCountdownBox(os::HWND, const char* text, const char* caption, os::UINT flags, os::UINT seconds) {
  const int32_t s = static_cast<int32_t>(std::min<os::UINT>(seconds, 86400));
  const rt::BoxAnswer answer = RunBoxOver(ModelOfFlags(text, caption, flags, Backend().WorkArea()), s);
  return answer.button == rt::BoxTimedOut ? os::MB_TIMEDOUT : rt::NativeIdOfButton(answer.button);
}

std::string Base64(const std::string& bytes) {
  static constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    uint32_t n = static_cast<uint8_t>(bytes[i]) << 16;
    if (i + 1 < bytes.size()) n |= static_cast<uint8_t>(bytes[i + 1]) << 8;
    if (i + 2 < bytes.size()) n |= static_cast<uint8_t>(bytes[i + 2]);
    out += kDigits[(n >> 18) & 63];
    out += kDigits[(n >> 12) & 63];
    out += i + 1 < bytes.size() ? kDigits[(n >> 6) & 63] : '=';
    out += i + 2 < bytes.size() ? kDigits[n & 63] : '=';
  }
  return out;
}

}  // namespace

TerminalBackend& Backend() {
  static TerminalBackend backend;
  return backend;
}

bool Available() { return Terminal::AtHand(); }

void Install(const backend::StartOptions& options) {
  if (!Available()) {
    std::fprintf(stderr, "%s: no window can be shown: there is no terminal (%s cannot be opened)\n",
                 program_invocation_short_name, "/dev/tty");
    std::fflush(stderr);
    std::_Exit(options.failureStatus);
  }
  Backend().SetFailureStatus(options.failureStatus);
  rt::SetBackend(&Backend());
  os::InstallWin32Calls({.messageBox = &TerminalMessageBox, .countdownMessageBox = &TerminalCountdownBox});
}

BoxModel ModelOf(const rt::BoxRequest& request, rt::ScreenArea screen) {
  BoxModel box;
  box.title = request.captionOmitted ? std::string() : request.caption;
  const bool icon = rt::IconFlag(request.icon) != 0;
  box.icon = icon ? request.icon : std::string();
  const rt::BoxTextArea area = rt::TextAreaOf(request, screen, icon);
  box.lines = rt::TextLines(request, area.columns);
  // The terminal has no room that opens on request: the details follow.
  if (!request.details.empty()) {
    rt::BoxRequest details = request;
    details.text = request.details;
    box.lines.emplace_back();
    for (std::string& line : rt::TextLines(details, area.columns)) box.lines.push_back(std::move(line));
  }
  const std::vector<rt::ShownButton> shown = rt::ButtonsOf(request, true);
  for (const rt::ShownButton& b : shown) box.buttons.push_back({b.caption, b.value});
  box.defaultIndex = rt::DefaultPlace(shown, request.defaultButton);
  box.escapeValue = rt::EscapeValue(request, shown);
  box.checkBox = request.checkBox;
  box.systemModal = request.style != 0;
  box.focus = box.defaultIndex;
  return box;
}

BoxModel ModelOfFlags(const char* text, const char* caption, uint32_t flags, rt::ScreenArea screen) {
  BoxModel box;
  box.title = caption ? caption : "";
  box.icon = rt::IconOfFlag(flags);
  const rt::BoxTextArea area = rt::TextAreaOn(screen, !box.icon.empty());
  box.lines = rt::WrapLines(rt::SplitLineEnds(text ? text : ""), area.columns);
  const int32_t set = rt::ButtonSetOfType(flags & os::MB_TYPEMASK);
  for (const rt::BoxButton& b : rt::ButtonsOf(set)) box.buttons.push_back({b.caption, b.value});
  if (box.buttons.empty()) box.buttons.push_back({"OK", rt::ButtonOk});
  box.defaultIndex = rt::NativeDefaultPlace(flags, box.buttons.size());
  box.escapeValue = rt::EscapeValue(set ? set : rt::ButtonOk);
  box.systemModal = (flags & os::MB_SYSTEMMODAL) != 0;
  box.focus = box.defaultIndex;
  return box;
}

rt::BoxAnswer RunBox(BoxModel box, int32_t seconds) {
  Terminal& terminal = Terminal::Get();
  if (!terminal.Begin()) return {};
  struct Ending {
    Terminal& terminal;
    ~Ending() { terminal.End(); }
  } ending{terminal};
  const std::string defaultCaption = box.buttons[box.defaultIndex].caption;
  int32_t secondsLeft = std::max(0, seconds);
  int64_t nextTick = NowMs() + 1000;
  for (;;) {
    if (secondsLeft > 0) box.buttons[box.defaultIndex].caption = rt::CountdownCaption(defaultCaption, secondsLeft);
    const int wait = secondsLeft > 0 ? static_cast<int>(std::max<int64_t>(0, nextTick - NowMs())) : -1;
    bool timedOut = false;
    const KeyOutcome outcome = terminal.Step(box, wait, timedOut);
    if (timedOut) {
      if (secondsLeft > 0 && NowMs() >= nextTick) {
        nextTick += 1000;
        if (--secondsLeft == 0) return {rt::BoxTimedOut, box.checked};
      }
      continue;
    }
    switch (outcome.kind) {
      case KeyOutcome::Kind::Press:
        return {box.buttons[outcome.button].value, box.checked};
      case KeyOutcome::Kind::Dismiss:
        if (box.escapeValue) return {box.escapeValue, box.checked};
        break;
      case KeyOutcome::Kind::Abandon:
        return {box.escapeValue, box.checked};
      case KeyOutcome::Kind::Nothing:
      case KeyOutcome::Kind::Redraw:
        break;
    }
  }
}

TerminalBackend::Shown* TerminalBackend::Find(const rt::Window& window) {
  auto it = windows_.find(&window);
  return it == windows_.end() ? nullptr : &it->second;
}

rt::Window* TerminalBackend::TopWindow() {
  for (auto it = order_.rbegin(); it != order_.rend(); ++it)
    if (!windows_[*it].isBox) return *it;
  return nullptr;
}

void TerminalBackend::CoverTop() {
  if (rt::Window* top = TopWindow()) WindowCovered(*top, windows_[top].view);
}

void TerminalBackend::UncoverTop() {
  if (rt::Window* top = TopWindow()) WindowUncovered(*top);
}

void TerminalBackend::CreateNativeWindow(rt::Window& window) {
  if (Find(window)) return;
  CoverTop();
  Shown& shown = windows_[&window];
  shown.handle = nextHandle_;
  nextHandle_ += 0x10;
  if (const rt::MessageBoxInfo* info = window.BoxInfo()) {
    shown.isBox = true;
    shown.box = ModelOfInfo(window, *info);
  }
  shown.nextTick = NowMs() + window.TimerPeriod();
  order_.push_back(&window);
  // Boxes are drawn over the windows they were opened from.
  Terminal::Get().SetBackdrop([this] { PaintWindows(nullptr); });
}

void TerminalBackend::DestroyNativeWindow(rt::Window& window) {
  auto it = windows_.find(&window);
  if (it == windows_.end()) return;
  const bool begun = it->second.begun;
  windows_.erase(it);
  order_.erase(std::remove(order_.begin(), order_.end(), &window), order_.end());
  if (begun) Terminal::Get().End();
  UncoverTop();
}

// A box's default button taking a new caption is its countdown; any other
// window is drawn from its runtime window's state each time.
void TerminalBackend::ControlChanged(rt::Window& window, int32_t control) {
  Shown* shown = Find(window);
  const rt::MessageBoxInfo* info = window.BoxInfo();
  if (!shown || !info) return;
  for (std::size_t i = 0; i < info->shown.size() && i < shown->box.buttons.size(); ++i)
    if (info->shown[i].control == control) shown->box.buttons[i].caption = window.Text(control);
}

void TerminalBackend::FocusChanged(rt::Window& window, int32_t control) {
  Shown* shown = Find(window);
  if (!shown) return;
  const rt::MessageBoxInfo* info = window.BoxInfo();
  if (!info) return ApplyFocus(window, shown->view, control);
  for (std::size_t i = 0; i < info->shown.size(); ++i)
    if (info->shown[i].control == control) shown->box.focus = i;
  if (info->checkControl && control == info->checkControl) shown->box.focus = shown->box.buttons.size();
}

void TerminalBackend::TimerChanged(rt::Window& window) {
  if (Shown* shown = Find(window)) shown->nextTick = NowMs() + window.TimerPeriod();
}

void TerminalBackend::WaitForEvent(rt::Window& window) {
  if (window.IsOpen() && !Find(window)) CreateNativeWindow(window);
  Shown* shown = Find(window);
  if (!shown || !window.IsOpen()) return;
  if (!shown->begun) {
    shown->begun = true;
    if (!Terminal::Get().Begin()) {
      // No terminal at all: nobody can answer.
      window.Post(rt::EventCloseRequested);
      return;
    }
  }
  if (shown->isBox) return WaitForBox(window, *shown);
  if (!Terminal::Get().Drawing()) {
    // A terminal that cannot place the cursor (TERM=dumb) can ask a box's
    // question in one line, but cannot show a window.
    const char* term = std::getenv("TERM");
    Terminal::Get().End();
    shown->begun = false;
    std::fprintf(stderr, "%s: the window \"%s\" needs a terminal that can be drawn on (TERM is %s)\n",
                 program_invocation_short_name, window.Title().c_str(), term && *term ? term : "not set");
    std::exit(failureStatus_);
  }
  WaitForWindow(window, *shown);
}

void TerminalBackend::PaintWindows(const rt::Window* top) {
  Terminal& terminal = Terminal::Get();
  int columns = 80, rows = 24;
  terminal.Size(columns, rows);
  for (rt::Window* w : order_) {
    Shown& s = windows_[w];
    if (s.isBox) continue;
    s.view.layout = LayOutWindow(w->Def(), [w](const rt::ControlDef& c) { return w->Text(c.number); });
    const ControlCells* focus = s.view.layout.Find(w->Focus());
    const WindowPlace place = PlaceWindow(s.view.layout, columns, rows, focus ? focus->cells : CellRect{});
    PaintWindow(*w, s.view, place, w == top, terminal.LineDrawing());
    if (w == top) break;
  }
}

void TerminalBackend::WaitForWindow(rt::Window& window, Shown& shown) {
  Terminal& terminal = Terminal::Get();
  if (!shown.presented) {
    // The runtime hears of the window's first size, its creation, after it
    // has heard that the window opened.
    shown.presented = true;
    window.Post(rt::EventWindowResized, 0, rt::Window::KeepKeyCode);
    return;
  }
  while (window.IsOpen() && window.QueuedEvents() == 0) {
    terminal.Show([this, &window] { PaintWindows(&window); });
    const int32_t period = window.TimerPeriod();
    const int wait = period > 0 ? static_cast<int>(std::max<int64_t>(0, shown.nextTick - NowMs())) : -1;
    int x = -1, y = -1;
    const Key key = terminal.ReadKey(wait, x, y);
    if (key.name == KeyName::None) {
      if (period > 0 && NowMs() >= shown.nextTick) {
        shown.nextTick += period;
        window.Post(rt::EventTimer);
      }
      continue;
    }
    if (key.name != KeyName::Click) {
      WindowKey(window, shown.view, key);
      continue;
    }
    int columns = 80, rows = 24;
    terminal.Size(columns, rows);
    const ControlCells* focus = shown.view.layout.Find(window.Focus());
    const WindowPlace place = PlaceWindow(shown.view.layout, columns, rows, focus ? focus->cells : CellRect{});
    if (y == place.y && x >= CloseBoxX(place) && x < CloseBoxX(place) + 3) {
      window.Post(rt::EventCloseRequested, 0, rt::Window::KeepKeyCode);
      continue;
    }
    WindowClick(window, shown.view, x - place.ClientX(), y - place.ClientY());
  }
}

void TerminalBackend::WaitForBox(rt::Window& window, Shown& shown) {
  const rt::MessageBoxInfo* info = window.BoxInfo();
  while (window.IsOpen() && window.QueuedEvents() == 0) {
    const int32_t period = window.TimerPeriod();
    const int wait = period > 0 ? static_cast<int>(std::max<int64_t>(0, shown.nextTick - NowMs())) : -1;
    bool timedOut = false;
    const KeyOutcome outcome = Terminal::Get().Step(shown.box, wait, timedOut);
    if (timedOut) {
      if (period > 0 && NowMs() >= shown.nextTick) {
        shown.nextTick += period;
        window.Post(rt::EventTimer);
      }
      continue;
    }
    if (info->checkControl && (rt::ToNumber(window.Contents(info->checkControl)) != 0) != shown.box.checked)
      window.ToggleCheck(info->checkControl);
    switch (outcome.kind) {
      case KeyOutcome::Kind::Press: {
        const int32_t control = info->shown[outcome.button].control;
        window.MoveFocus(control);
        window.Post(rt::EventControlAccepted, control, rt::KeyEnter);
        break;
      }
      case KeyOutcome::Kind::Dismiss:
        // The runtime's box decides what the close box answers, or that it stays.
        window.Post(rt::EventCloseRequested, 0, rt::KeyEscape);
        break;
      case KeyOutcome::Kind::Abandon:
        if (info->escapeValue) {
          window.Post(rt::EventCloseRequested, 0, rt::KeyEscape);
        } else {
          // Nobody can answer any more, and the box cannot be dismissed: it
          // ends without an answer.
          rt::CloseWindow(&window);
        }
        break;
      case KeyOutcome::Kind::Nothing:
      case KeyOutcome::Kind::Redraw:
        break;
    }
  }
}

intptr_t TerminalBackend::NativeHandle(const rt::Window& window) const {
  auto it = windows_.find(&window);
  return it == windows_.end() ? 0 : it->second.handle;
}

void TerminalBackend::Beep(int32_t, int32_t) {
  // The terminal's bell, written where the person is.
  if (FILE* tty = std::fopen("/dev/tty", "we")) {
    std::fputc('\a', tty);
    std::fclose(tty);
  }
}

void TerminalBackend::SetCursor(const std::string&) {}

rt::ScreenArea TerminalBackend::WorkArea() const {
  int columns = 80, rows = 24;
  Terminal::Get().Size(columns, rows);
  return rt::CellScreen(columns, rows);
}

std::string ClipboardSequence(const std::string& text) { return "\033]52;c;" + Base64(text) + "\a"; }

// The terminal's clipboard: the terminal (or tmux, or the terminal on the
// far side of an SSH connection) takes it from a control sequence; the
// person is told where it went in the window's bottom line.
void TerminalBackend::SetClipboardText(const std::string& text) {
  const bool sent = Terminal::Get().Send(ClipboardSequence(text));
  if (rt::Window* top = TopWindow())
    windows_[top].view.status =
        sent ? "Copied to the terminal's clipboard (OSC 52)" : "Not copied: there is no terminal to take it";
}

rt::BoxAnswer TerminalBackend::NativeBox(const rt::BoxRequest& request) {
  return RunBoxOver(ModelOf(request, WorkArea()), std::max(0, request.timeout));
}

}  // namespace terminal
