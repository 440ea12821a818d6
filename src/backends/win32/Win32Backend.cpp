#include "backends/win32/Win32Backend.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "backends/win32/ControlCodes.h"
#include "backends/win32/CountdownBox.h"
#include "backends/win32/NativeWindow.h"
#include "runtime/Events.h"
#include "runtime/MessageBox.h"
#include "runtime/Program.h"
#include "runtime/Window.h"

namespace win32 {
namespace {

// The runtime windows with a native window on this thread, in the order they
// were opened: a window opened while another is open stands over it.
thread_local std::vector<const rt::Window*> openOrder;

// Handles one message as the loop does: the window it is for may take its
// keys first (Tab, Enter, Escape, access keys), and every message may have
// moved the focus.
void Handle(MSG& message) {
  NativeWindow::NoteInput(message);
  NativeWindow* target = NativeWindow::FromHandle(message.hwnd);
  if (!target || !target->PreTranslate(message)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  if (NativeWindow* focused = NativeWindow::FromHandle(GetFocus())) focused->SyncFocus();
}

}  // namespace

Win32Backend::Win32Backend() = default;
Win32Backend::~Win32Backend() = default;

NativeWindow* Win32Backend::Native(const rt::Window& window) const {
  std::lock_guard<std::mutex> hold(lock_);
  auto it = windows_.find(&window);
  return it == windows_.end() ? nullptr : it->second.get();
}

void Win32Backend::CreateNativeWindow(rt::Window& window) {
  HWND owner = nullptr;
  for (auto it = openOrder.rbegin(); it != openOrder.rend() && !owner; ++it)
    if (NativeWindow* n = Native(**it)) owner = n->Handle();
  auto native = std::make_unique<NativeWindow>(window, owner);
  std::lock_guard<std::mutex> hold(lock_);
  if (!native->Valid()) {
    failures_[&window] = native->LastError();
    return;
  }
  failures_.erase(&window);
  windows_[&window] = std::move(native);
  openOrder.push_back(&window);
}

void Win32Backend::DestroyNativeWindow(rt::Window& window) {
  std::unique_ptr<NativeWindow> native;
  {
    std::lock_guard<std::mutex> hold(lock_);
    failures_.erase(&window);
    auto it = windows_.find(&window);
    if (it == windows_.end()) return;
    native = std::move(it->second);
    windows_.erase(it);
  }
  std::erase(openOrder, &window);
  native.reset();  // outside the lock: the window's last messages may reach the backend
}

void Win32Backend::ControlChanged(rt::Window& window, int32_t control) {
  if (NativeWindow* n = Native(window)) n->Refresh(control);
}

void Win32Backend::FocusChanged(rt::Window& window, int32_t control) {
  if (NativeWindow* n = Native(window)) n->FocusControl(control);
}

void Win32Backend::TimerChanged(rt::Window& window) {
  if (NativeWindow* n = Native(window)) n->SetTimer(window.TimerPeriod());
}

void Win32Backend::WaitForEvent(rt::Window& window) {
  if (!Native(window)) {
    std::string why;
    {
      std::lock_guard<std::mutex> hold(lock_);
      auto it = failures_.find(&window);
      why = it == failures_.end() ? "it has no native window" : it->second;
    }
    rt::Halt(1, "The window '" + window.Title() + "' cannot be shown: " + why);
  }
  while (window.IsOpen() && window.QueuedEvents() == 0) {
    MSG message{};
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) {
      // The session ends: the window is asked to close as for a shutdown.
      window.Post(rt::EventShutdownRequested);
      return;
    }
    if (got < 0) rt::Halt(1, "The message loop failed (error " + std::to_string(GetLastError()) + ")");
    Handle(message);
  }
}

bool Win32Backend::PumpPending() {
  MSG message{};
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) return false;
    Handle(message);
  }
  return true;
}

intptr_t Win32Backend::NativeHandle(const rt::Window& window) const {
  NativeWindow* n = Native(window);
  return n ? reinterpret_cast<intptr_t>(n->Handle()) : 0;
}

void Win32Backend::Beep(int32_t frequency, int32_t duration) {
  // The system takes 37 to 32767 Hz; outside that the user hears the default sound.
  if (frequency >= 37 && frequency <= 32767 && duration > 0)
    ::Beep(static_cast<DWORD>(frequency), static_cast<DWORD>(duration));
  else
    MessageBeep(MB_OK);
}

rt::ScreenArea Win32Backend::WorkArea() const {
  RECT area{};
  if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0)) return rt::kClassicWorkArea;
  HDC screen = GetDC(nullptr);
  rt::BaseUnits units;
  HFONT font = NativeWindow::MakeFont("MS Sans Serif", 8, screen, units);
  if (font) DeleteObject(font);
  ReleaseDC(nullptr, screen);
  return rt::ScreenInUnits(area.right - area.left, area.bottom - area.top, units);
}

void Win32Backend::SetClipboardText(const std::string& text) {
  // The clipboard is taken in a window's name (without one the system
  // refuses the data), and its text has CR LF line ends.
  HWND owner = nullptr;
  for (auto it = openOrder.rbegin(); it != openOrder.rend() && !owner; ++it)
    if (NativeWindow* n = Native(**it)) owner = n->Handle();
  std::string lines;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) lines += '\r';
    lines += text[i];
  }
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, lines.size() + 1);
  if (!memory) return;
  if (char* bytes = static_cast<char*>(GlobalLock(memory))) {
    std::memcpy(bytes, lines.c_str(), lines.size() + 1);
    GlobalUnlock(memory);
  }
  if (OpenClipboard(owner)) {
    EmptyClipboard();
    if (SetClipboardData(CF_TEXT, memory)) memory = nullptr;  // the system owns it now
    CloseClipboard();
  }
  if (memory) GlobalFree(memory);
}

void Win32Backend::SetCursor(const std::string& cursor) { NativeWindow::UseCursor(CursorOfCode(cursor)); }

}  // namespace win32

namespace win32 {

rt::BoxAnswer Win32Backend::NativeBox(const rt::BoxRequest& request) {
  rt::BoxAnswer answer;
  if (SystemRequestBox(request, answer)) return answer;
  return rt::AskRuntimeBox(request);
}

}  // namespace win32
