// The Win32 calls of platform/Win32Api.h as the headless backend stands
// behind them, on every OS: message boxes recorded and answered by the
// script, the full-window-drag setting simulated (a test never changes the
// desktop it runs on), and the process heap recorded, with a switch that
// makes allocations fail.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "backends/headless/HeadlessState.h"
#include "platform/Win32Api.h"
#include "runtime/BoxRules.h"

namespace headless {
namespace {

using namespace os;

// Takes the script's steps for the box just recorded at `index`, until one
// answers it: a button of `buttons` (its value), Escape or the close box
// where `escape` answers them, or the time-out (MB_TIMEDOUT) when `seconds`
// ran out. A step that ticks the box's check box is noted in the record.
int32_t AnswerRecordedBox(State& s, std::size_t index, const std::vector<rt::ShownButton>& buttons,
                          std::size_t defaultIndex, int32_t escape, int32_t seconds) {
  int32_t secondsLeft = seconds, waited = 0;
  auto showCountdown = [&] {
    if (secondsLeft > 0 && !buttons.empty())
      s.boxes[index].countdown.push_back(rt::CountdownCaption(buttons[defaultIndex].caption, secondsLeft));
  };
  showCountdown();
  const std::string shown = "message box " + Quote(s.boxes[index].text) + " shown";
  for (;;) {
    if (s.steps.empty()) Fail(shown + " but the script has no more steps");
    Step step = s.steps.front();
    s.steps.pop_front();
    switch (step.kind) {
      case Step::Kind::Run:
        step.run();
        break;
      case Step::Kind::Wait:
        for (waited += step.value; secondsLeft > 0 && waited >= 1000; waited -= 1000) {
          --secondsLeft;
          showCountdown();
        }
        if (seconds > 0 && secondsLeft == 0) return MB_TIMEDOUT;
        break;
      case Step::Kind::AnswerNative:
        return rt::ButtonOfNativeId(step.value) ? rt::ButtonOfNativeId(step.value) : step.value;
      case Step::Kind::AnswerBox:
        if (!std::any_of(buttons.begin(), buttons.end(),
                         [&](const rt::ShownButton& b) { return b.value == step.value; }))
          Fail("the script expects: " + step.Describe() + ", but " + shown + " without that button");
        return step.value;
      case Step::Kind::PressBoxCaption: {
        if (step.text.empty() && !buttons.empty()) return buttons[defaultIndex].value;
        for (const rt::ShownButton& b : buttons)
          if (CaptionReads(b.caption, step.text)) return b.value;
        Fail("the script expects: " + step.Describe() + ", but " + shown + " without that button");
      }
      case Step::Kind::TickBox:
        if (s.boxes[index].checkBox.empty())
          Fail("the script expects: " + step.Describe() + ", but " + shown + " without one");
        s.boxes[index].checked = !s.boxes[index].checked;
        break;
      case Step::Kind::CloseBox:
      case Step::Kind::EscapeBox:
        // Where they answer nothing the box has no close box and ignores Escape.
        if (escape) return escape;
        break;
      default:
        Fail(shown + " but the script expects: " + step.Describe());
    }
  }
}

// A box with a time-out (`seconds` > 0) counts down on its default button
// while the script waits, and presses it when the time has run out.
int32_t RecordedBox(HWND owner, const char* text, const char* caption, UINT flags, int32_t seconds) {
  State& s = Shared();
  std::lock_guard<std::recursive_mutex> hold(s.lock);
  BoxRecord r;
  r.drawer = "native";
  r.text = text ? text : "";
  r.caption = caption ? caption : "";
  // A native box wraps long lines, and scrolls a text taller than the screen.
  const rt::BoxTextArea area = rt::TextAreaOn(rt::kClassicWorkArea, (flags & MB_ICONMASK) != 0);
  r.lines = rt::WrapLines(rt::SplitLineEnds(r.text), area.columns);
  r.scrolls = r.lines.size() > area.lines;
  r.owner = reinterpret_cast<intptr_t>(owner);
  r.flags = flags;
  r.icon = rt::IconOfFlag(flags);
  r.style = (flags & MB_SYSTEMMODAL) ? 1 : 0;
  const int32_t set = rt::ButtonSetOfType(flags & MB_TYPEMASK);
  std::vector<rt::ShownButton> buttons;
  for (const rt::BoxButton& b : rt::ButtonsOf(set)) buttons.push_back({b.value, b.caption, b.name});
  r.buttons = set;
  for (const rt::ShownButton& b : buttons) {
    r.captions.push_back(b.caption);
    r.values.push_back(b.value);
  }
  const std::size_t defaultIndex = rt::NativeDefaultPlace(flags, buttons.size());
  r.defaultValue = buttons.empty() ? 0 : buttons[defaultIndex].value;
  r.timeout = std::max(0, seconds);
  const std::size_t index = s.boxes.size();
  s.boxes.push_back(r);
  const int32_t answer = AnswerRecordedBox(s, index, buttons, defaultIndex, rt::EscapeValue(set), r.timeout);
  // The script's raw results pass as they are (0: the call failed).
  const int32_t result = answer == MB_TIMEDOUT          ? MB_TIMEDOUT
                         : rt::NativeIdOfButton(answer) ? rt::NativeIdOfButton(answer)
                                                        : answer;
  s.boxes[index].rawResult = result;
  s.boxes[index].result = result == MB_TIMEDOUT ? MB_TIMEDOUT : rt::ButtonOfNativeId(result);
  s.calls.push_back(
      {.function = seconds > 0 ? "CountdownMessageBoxA" : "MessageBoxA", .flags = flags, .result = result});
  return result;
}

int32_t RecordedMessageBox(HWND owner, const char* text, const char* caption, UINT flags) {
  return RecordedBox(owner, text, caption, flags, 0);
}

int32_t RecordedCountdownBox(HWND owner, const char* text, const char* caption, UINT flags, UINT seconds) {
  return RecordedBox(owner, text, caption, flags, static_cast<int32_t>(std::min<UINT>(seconds, INT32_MAX)));
}

BOOL SimulatedSystemParameters(UINT action, UINT param, LPVOID data, UINT winIni) {
  State& s = Shared();
  std::lock_guard<std::recursive_mutex> hold(s.lock);
  BOOL result = 0;
  if (!s.failSystemParameters) {
    if (action == SPI_GETDRAGFULLWINDOWS && data) {
      *static_cast<BOOL*>(data) = s.fullWindowDrag;
      result = 1;
    } else if (action == SPI_SETDRAGFULLWINDOWS) {
      s.fullWindowDrag = param != 0 ? 1 : 0;
      result = 1;
    }
  }
  s.calls.push_back(
      {.function = "SystemParametersInfoA", .action = action, .param = param, .winIni = winIni, .result = result});
  return result;
}

LPVOID RecordedHeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes) {
  State& s = Shared();
  std::lock_guard<std::recursive_mutex> hold(s.lock);
  bool fail = false;
  if (s.allocationsBeforeFailure > 0) {
    --s.allocationsBeforeFailure;
  } else if (s.allocationsToFail > 0) {
    --s.allocationsToFail;
    fail = true;
  }
  void* block = fail ? nullptr : os::SystemCalls().heapAlloc(heap, flags, bytes);
  if (block) s.heapBlocks.insert(block);
  s.calls.push_back({.function = "HeapAlloc",
                     .flags = flags,
                     .bytes = bytes,
                     .block = reinterpret_cast<intptr_t>(block),
                     .result = block ? 1 : 0});
  return block;
}

BOOL RecordedHeapFree(HANDLE heap, DWORD flags, LPVOID block) {
  State& s = Shared();
  std::lock_guard<std::recursive_mutex> hold(s.lock);
  // Freeing a block twice, or one that did not come from this heap, fails
  // instead of corrupting memory, and the record shows it.
  BOOL result = 0;
  if (block && s.heapBlocks.erase(block)) result = os::SystemCalls().heapFree(heap, flags, block);
  s.calls.push_back(
      {.function = "HeapFree", .flags = flags, .block = reinterpret_cast<intptr_t>(block), .result = result});
  return result;
}

}  // namespace

rt::BoxAnswer RecordedRequestBox(const rt::BoxRequest& request) {
  State& s = Shared();
  std::lock_guard<std::recursive_mutex> hold(s.lock);
  BoxRecord r;
  r.drawer = "native";
  r.request = request;
  r.text = request.text;
  r.caption = request.captionOmitted ? std::string() : request.caption;
  const bool icon = rt::IconFlag(request.icon) != 0;
  const rt::BoxTextArea area = rt::TextAreaOf(request, rt::kClassicWorkArea, icon);
  r.lines = rt::TextLines(request, area.columns);
  r.scrolls = r.lines.size() > area.lines;
  r.icon = icon ? request.icon : std::string();
  r.style = request.style;
  r.defaultButton = request.defaultButton;
  r.checkBox = request.checkBox;
  const std::vector<rt::ShownButton> buttons = rt::ButtonsOf(request, true);
  for (const rt::ShownButton& b : buttons) {
    if (b.value < rt::kFirstExtraButton) r.buttons |= b.value;
    r.captions.push_back(b.caption);
    r.values.push_back(b.value);
  }
  const std::size_t defaultIndex = rt::DefaultPlace(buttons, request.defaultButton);
  r.defaultValue = buttons[defaultIndex].value;
  r.timeout = std::max(0, request.timeout);
  const std::size_t index = s.boxes.size();
  s.boxes.push_back(r);
  const int32_t answer =
      AnswerRecordedBox(s, index, buttons, defaultIndex, rt::EscapeValue(request, buttons), r.timeout);
  s.boxes[index].result = answer;
  s.calls.push_back({.function = "NativeBox", .result = answer});
  return {answer == MB_TIMEDOUT ? rt::BoxTimedOut : answer, s.boxes[index].checked};
}

void InstallPlatformCalls() {
  os::InstallWin32Calls({.messageBox = &RecordedMessageBox,
                         .systemParametersInfo = &SimulatedSystemParameters,
                         .heapAlloc = &RecordedHeapAlloc,
                         .heapFree = &RecordedHeapFree,
                         .countdownMessageBox = &RecordedCountdownBox});
}

}  // namespace headless
