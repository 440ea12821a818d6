// A window's commands on Windows: entries at the end of its system menu, the
// same entries in a context menu, and their keyboard shortcuts.
#include <cctype>
#include <string_view>

#include "backends/win32/NativeWindow.h"
#include "runtime/Events.h"
#include "runtime/Window.h"

namespace win32 {
namespace {

// System menu commands keep their low four bits clear (the system uses them),
// and stay below the system's own (0xF000 and up).
constexpr UINT kFirstCommandId = 0x1000;
constexpr UINT kCommandIdStep = 0x10;

UINT CommandId(int32_t number) { return kFirstCommandId + static_cast<UINT>(number) * kCommandIdStep; }

// A menu entry shows its shortcut after a tab, as Windows menus do.
std::string MenuText(const rt::WindowCommand& command) {
  return command.shortcut.empty() ? command.text : command.text + "\t" + command.shortcut;
}

// Whether a key with these modifiers is the shortcut ("Ctrl+Shift+C"): each
// modifier named and no other held, and the last part the key.
bool IsShortcut(std::string_view shortcut, int32_t vk, bool shift, bool control, bool alt) {
  bool wantShift = false, wantControl = false, wantAlt = false;
  for (std::size_t plus; (plus = shortcut.find('+')) != std::string_view::npos; shortcut.remove_prefix(plus + 1)) {
    const std::string_view part = shortcut.substr(0, plus);
    wantShift = wantShift || part == "Shift";
    wantControl = wantControl || part == "Ctrl";
    wantAlt = wantAlt || part == "Alt";
  }
  return shortcut.size() == 1 && std::toupper(static_cast<unsigned char>(shortcut[0])) == vk && shift == wantShift &&
         control == wantControl && alt == wantAlt;
}

}  // namespace

void NativeWindow::AddCommands() {
  const std::vector<rt::WindowCommand>& commands = window_.Def().commands;
  if (commands.empty()) return;
  HMENU system = GetSystemMenu(hwnd_, FALSE);
  AppendMenuA(system, MF_SEPARATOR, 0, nullptr);
  for (const rt::WindowCommand& c : commands) AppendMenuA(system, MF_STRING, CommandId(c.number), MenuText(c).c_str());
}

bool NativeWindow::ChooseCommand(UINT id) {
  for (const rt::WindowCommand& c : window_.Def().commands)
    if (CommandId(c.number) == id) {
      Post(rt::EventCommand, 0, c.number);
      return true;
    }
  return false;
}

bool NativeWindow::ShowContextMenu(LPARAM at) {
  const std::vector<rt::WindowCommand>& commands = window_.Def().commands;
  if (commands.empty()) return false;
  POINT where{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
  if (at == -1) {
    // From the keyboard (Shift+F10, the menu key): at the focused control.
    RECT r{};
    GetWindowRect(ControlHandle(lastFocus_) ? ControlHandle(lastFocus_) : hwnd_, &r);
    where = {r.left, r.bottom};
  }
  HMENU menu = CreatePopupMenu();
  for (const rt::WindowCommand& c : commands) AppendMenuA(menu, MF_STRING, CommandId(c.number), MenuText(c).c_str());
  const UINT id = static_cast<UINT>(
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, where.x, where.y, 0, hwnd_, nullptr));
  DestroyMenu(menu);
  if (id) ChooseCommand(id);
  return true;
}

bool NativeWindow::CommandShortcut(int32_t vk, bool shift, bool control, bool alt) {
  for (const rt::WindowCommand& c : window_.Def().commands)
    if (!c.shortcut.empty() && IsShortcut(c.shortcut, vk, shift, control, alt)) {
      Post(rt::EventCommand, 0, c.number);
      return true;
    }
  return false;
}

}  // namespace win32
