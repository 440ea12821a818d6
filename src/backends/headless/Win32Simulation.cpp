// The Win32 calls of platform/Win32Api.h for the headless build: message
// boxes recorded and answered by the script, the full-window-drag setting
// simulated, and the process heap over malloc with a switch that makes
// allocations fail.
#include <cstdlib>
#include <cstring>

#include "backends/headless/HeadlessState.h"
#include "platform/Win32Api.h"

namespace headless {
namespace {

// The buttons of each MessageBoxA type, left to right, as ButtonSet values.
std::vector<int32_t> TypeButtons(os::UINT flags) {
  switch (flags & os::MB_TYPEMASK) {
    case os::MB_OK:
      return {1};
    case os::MB_OKCANCEL:
      return {1, 64};
    case os::MB_ABORTRETRYIGNORE:
      return {8, 16, 32};
    case os::MB_YESNOCANCEL:
      return {2, 4, 64};
    case os::MB_YESNO:
      return {2, 4};
    case os::MB_RETRYCANCEL:
      return {16, 64};
  }
  return {};
}

int32_t IdOf(int32_t button) {
  switch (button) {
    case 1:
      return os::IDOK;
    case 2:
      return os::IDYES;
    case 4:
      return os::IDNO;
    case 8:
      return os::IDABORT;
    case 16:
      return os::IDRETRY;
    case 32:
      return os::IDIGNORE;
    case 64:
      return os::IDCANCEL;
  }
  return 0;
}

int32_t ButtonOfId(int32_t id) {
  for (int32_t b : {1, 2, 4, 8, 16, 32, 64})
    if (IdOf(b) == id) return b;
  return 0;
}

std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines(1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      lines.emplace_back();
      ++i;
    } else {
      lines.back() += text[i];
    }
  }
  return lines;
}

char heapToken;  // its address is the simulated process heap's handle

}  // namespace
}  // namespace headless

namespace os {

using headless::Shared;
using headless::State;
using headless::Step;

int32_t MessageBoxA(HWND owner, const char* text, const char* caption, UINT flags) {
  State& s = Shared();
  std::lock_guard<std::recursive_mutex> hold(s.lock);
  headless::BoxRecord r;
  r.drawer = "native";
  r.text = text ? text : "";
  r.caption = caption ? caption : "";
  r.lines = headless::SplitCrLf(r.text);
  r.owner = reinterpret_cast<intptr_t>(owner);
  r.flags = flags;
  std::vector<int32_t> buttons = headless::TypeButtons(flags);
  for (int32_t b : buttons) r.buttons |= b;
  std::size_t defaultIndex = (flags & MB_DEFMASK) >> 8;
  r.defaultValue = buttons.empty() ? 0 : buttons[defaultIndex < buttons.size() ? defaultIndex : 0];
  std::size_t index = s.boxes.size();
  s.boxes.push_back(r);
  std::string shown = "message box " + headless::Quote(r.text) + " shown";

  int32_t result = 0;
  bool answered = false;
  while (!answered) {
    if (s.steps.empty()) headless::Fail(shown + " but the script has no more steps");
    Step step = s.steps.front();
    s.steps.pop_front();
    switch (step.kind) {
      case Step::Kind::Run:
        step.run();
        break;
      case Step::Kind::AnswerNative:
        result = step.value;
        answered = true;
        break;
      case Step::Kind::AnswerBox: {
        bool present = false;
        for (int32_t b : buttons) present = present || b == step.value;
        if (!present)
          headless::Fail("the script expects: " + step.Describe() + ", but " + shown + " without that button");
        result = headless::IdOf(step.value);
        answered = true;
        break;
      }
      case Step::Kind::CloseBox:
      case Step::Kind::EscapeBox:
        // Cancel where there is one, OK in an OK box; otherwise the box has
        // no close box and ignores Escape.
        if (r.buttons & 64 || r.buttons == 1) {
          result = r.buttons & 64 ? IDCANCEL : IDOK;
          answered = true;
        }
        break;
      default:
        headless::Fail(shown + " but the script expects: " + step.Describe());
    }
  }
  s.boxes[index].rawResult = result;
  s.boxes[index].result = headless::ButtonOfId(result);
  s.calls.push_back({.function = "MessageBoxA", .flags = flags, .result = result});
  return result;
}

BOOL SystemParametersInfoA(UINT action, UINT param, LPVOID data, UINT winIni) {
  State& s = Shared();
  std::lock_guard<std::recursive_mutex> hold(s.lock);
  BOOL result = 0;
  if (!s.failSystemParameters) {
    if (action == SPI_GETDRAGFULLWINDOWS && data) {
      *static_cast<BOOL*>(data) = s.fullWindowDrag ? 1 : 0;
      result = 1;
    } else if (action == SPI_SETDRAGFULLWINDOWS) {
      s.fullWindowDrag = param != 0;
      result = 1;
    }
  }
  s.calls.push_back(
      {.function = "SystemParametersInfoA", .action = action, .param = param, .winIni = winIni, .result = result});
  return result;
}

HANDLE GetProcessHeap() { return &headless::heapToken; }

LPVOID HeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes) {
  State& s = Shared();
  std::lock_guard<std::recursive_mutex> hold(s.lock);
  void* block = nullptr;
  if (s.allocationsBeforeFailure > 0) {
    --s.allocationsBeforeFailure;
  } else if (s.allocationsToFail > 0) {
    --s.allocationsToFail;
    heap = nullptr;  // this one fails
  }
  if (heap == &headless::heapToken) {
    block = std::malloc(bytes ? bytes : 1);
    if (block) {
      if (flags & 0x8) std::memset(block, 0, bytes);  // HEAP_ZERO_MEMORY
      s.heapBlocks.insert(block);
    }
  }
  s.calls.push_back({.function = "HeapAlloc",
                     .flags = flags,
                     .bytes = bytes,
                     .block = reinterpret_cast<intptr_t>(block),
                     .result = block ? 1 : 0});
  return block;
}

BOOL HeapFree(HANDLE heap, DWORD flags, LPVOID block) {
  State& s = Shared();
  std::lock_guard<std::recursive_mutex> hold(s.lock);
  // Freeing a block twice, or one that did not come from this heap, fails
  // instead of corrupting memory, and the record shows it.
  BOOL result = 0;
  if (heap == &headless::heapToken && block && s.heapBlocks.erase(block)) {
    std::free(block);
    result = 1;
  }
  s.calls.push_back(
      {.function = "HeapFree", .flags = flags, .block = reinterpret_cast<intptr_t>(block), .result = result});
  return result;
}

int32_t lstrlenA(const char* text) { return text ? static_cast<int32_t>(std::strlen(text)) : 0; }

char* lstrcpyA(char* to, const char* from) {
  if (!to || !from) return nullptr;
  return std::strcpy(to, from);
}

}  // namespace os
