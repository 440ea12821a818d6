#pragma once
// The fixture of the tests that make real windows: the win32 backend is the
// runtime's backend for the test (the headless one again afterwards), and
// every window is released at the end.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "backends/win32/NativeWindow.h"
#include "backends/win32/Win32Backend.h"
#include "runtime/Window.h"

namespace win32_test {

struct SeenEvent {
  int32_t event;
  int32_t control;
  int32_t accepted;
  int32_t key;
  bool operator==(const SeenEvent&) const = default;
};
std::ostream& operator<<(std::ostream& out, const SeenEvent& e);

// A window's class name.
std::string ClassOf(HWND hwnd);

class Win32Test : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Prepares and opens a window from the definition; its variables are bound in order.
  rt::Window* Open(const rt::WindowDef& def, std::vector<rt::Binding> bindings = {});
  win32::NativeWindow& Native(rt::Window* window);
  HWND Control(rt::Window* window, int32_t number);
  // Handles the messages waiting, then takes every queued event of the
  // window, as its event loop would, without waiting for more.
  std::vector<SeenEvent> Events(rt::Window* window);
  // The same, only the events of these codes.
  std::vector<SeenEvent> Events(rt::Window* window, std::initializer_list<int32_t> codes);

  win32::Win32Backend backend_;
};

std::string TextOf(HWND hwnd);

// A form with one control of each kind: 1 prompt "&Name:", 2 entry (s10),
// 3 option group "Size" with radios 4 "&Small" (S) and 5 "&Large" (L),
// 6 check box "&Urgent", 7 spin (n1), 8 button "&Go", 9 hidden button,
// 10 list of two columns, 11 image with the hand icon.
rt::WindowDef TestForm();

}  // namespace win32_test
