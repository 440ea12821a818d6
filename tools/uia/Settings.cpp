#include "Settings.h"

namespace uia {

std::string DragFullWindowsInProfile() {
  char value[16] = {};
  DWORD size = sizeof value;
  if (RegGetValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "DragFullWindows", RRF_RT_REG_SZ, nullptr, value,
                   &size) != ERROR_SUCCESS)
    return {};
  return value;
}

bool SetDragFullWindows(bool on) {
  return SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, on ? 1 : 0, nullptr,
                               SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE) != 0;
}

SettingListener::SettingListener(UINT action) : action_(action) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = &SettingListener::Procedure;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "QuibraSettingListener";
  RegisterClassA(&wc);
  // A top-level window (not a message-only one): broadcasts reach only those.
  hwnd_ = CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance,
                          nullptr);
  SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

SettingListener::~SettingListener() {
  if (hwnd_) DestroyWindow(hwnd_);
}

LRESULT CALLBACK SettingListener::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<SettingListener*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (self && message == WM_SETTINGCHANGE && wParam == self->action_) ++self->heard_;
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace uia
