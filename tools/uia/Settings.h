#pragma once
// The desktop setting the program changes while it runs (full-window
// dragging): what the user's profile holds, and the change notices the
// program broadcasts to every top-level window.
#include <windows.h>

#include <string>

namespace uia {

// The setting as the user's profile holds it ("1" or "0"; empty when unset).
std::string DragFullWindowsInProfile();
// Sets it as a user would in the control panel: written and broadcast.
bool SetDragFullWindows(bool on);

// A hidden top-level window that counts the broadcasts of one setting. The
// driver's waits pass messages on, so a broadcast never waits for it.
class SettingListener {
 public:
  explicit SettingListener(UINT action);
  ~SettingListener();
  SettingListener(const SettingListener&) = delete;
  SettingListener& operator=(const SettingListener&) = delete;
  int Heard() const { return heard_; }

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  UINT action_;
  int heard_ = 0;
  HWND hwnd_ = nullptr;
};

}  // namespace uia
