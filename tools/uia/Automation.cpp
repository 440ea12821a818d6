#include "Automation.h"

namespace uia {
namespace {

constexpr UINT kAnswerTime = 2000;  // ms a window may take to answer a message

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM out) {
  auto* list = reinterpret_cast<std::pair<HWND, std::vector<Control>*>*>(out);
  if (GetParent(hwnd) == list->first) list->second->push_back(Describe(hwnd));
  return TRUE;
}

struct TopSearch {
  DWORD process;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTop(HWND hwnd, LPARAM out) {
  auto* search = reinterpret_cast<TopSearch*>(out);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner == search->process && IsWindowVisible(hwnd)) search->found.push_back(hwnd);
  return TRUE;
}

}  // namespace

std::string ClassOf(HWND hwnd) {
  char name[256] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

std::string TextOf(HWND hwnd) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kAnswerTime, &length)) return {};
  std::string text(length + 1, '\0');
  DWORD_PTR got = 0;
  if (!SendMessageTimeoutA(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                           kAnswerTime, &got))
    return {};
  text.resize(got);
  return text;
}

Control Describe(HWND hwnd) {
  Control c;
  c.hwnd = hwnd;
  c.id = GetDlgCtrlID(hwnd);
  c.className = ClassOf(hwnd);
  c.text = TextOf(hwnd);
  c.style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
  c.visible = IsWindowVisible(hwnd) != 0;
  GetWindowRect(hwnd, &c.rect);
  if (HWND parent = GetParent(hwnd)) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&c.rect), 2);
  return c;
}

std::vector<Control> Children(HWND parent) {
  std::vector<Control> out;
  std::pair<HWND, std::vector<Control>*> search{parent, &out};
  EnumChildWindows(parent, &CollectChild, reinterpret_cast<LPARAM>(&search));
  return out;
}

Control ChildById(HWND parent, int id) {
  for (const Control& c : Children(parent))
    if (c.id == id) return c;
  return {};
}

std::vector<HWND> TopWindows(DWORD process) {
  TopSearch search{process, {}};
  EnumWindows(&CollectTop, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FocusOf(HWND top) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(top, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

HWND WaitForWindow(const std::function<HWND()>& find, int milliseconds) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = find()) != nullptr; }, milliseconds);
  return found;
}

bool WaitUntil(const std::function<bool()>& condition, int milliseconds) {
  for (int waited = 0;; waited += 50) {
    if (condition()) return true;
    if (waited >= milliseconds) return false;
    // The driver's own windows hear broadcasts while it waits.
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
  }
}

void Click(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

void SetText(HWND control, const std::string& text) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, kAnswerTime,
                      &ignored);
}

void PressKey(HWND focus, int virtualKey) {
  const UINT scan = MapVirtualKeyA(static_cast<UINT>(virtualKey), 0);
  PostMessageA(focus, WM_KEYDOWN, static_cast<WPARAM>(virtualKey), 1 | (scan << 16));
  PostMessageA(focus, WM_KEYUP, static_cast<WPARAM>(virtualKey), 1 | (scan << 16) | 0xC0000000u);
}

void PressAccessKey(HWND target, char letter) {
  // Bit 29: Alt is down.
  PostMessageA(target, WM_SYSCHAR, static_cast<WPARAM>(static_cast<unsigned char>(letter)), 1 | (1 << 29));
}

bool IsChecked(HWND button) {
  DWORD_PTR state = 0;
  SendMessageTimeoutA(button, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kAnswerTime, &state);
  return state == BST_CHECKED;
}

}  // namespace uia
