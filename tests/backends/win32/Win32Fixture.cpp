#include "Win32Fixture.h"

#include <algorithm>
#include <ostream>

#include "backends/headless/Headless.h"
#include "runtime/Backend.h"
#include "runtime/EventLoop.h"
#include "runtime/MessageBox.h"
#include "runtime/Property.h"

namespace win32_test {

std::ostream& operator<<(std::ostream& out, const SeenEvent& e) {
  return out << "{event " << e.event << ", control " << e.control << ", accepted " << e.accepted << ", key " << e.key
             << "}";
}

std::string ClassOf(HWND hwnd) {
  char name[64] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

std::string TextOf(HWND hwnd) {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

namespace {

rt::ControlDef Make(int32_t number, rt::ControlKind kind, std::string text, int32_t x, int32_t y, int32_t w = 0,
                    int32_t h = 0) {
  rt::ControlDef c;
  c.number = number;
  c.name = "?C" + std::to_string(number);
  c.kind = kind;
  c.text = std::move(text);
  c.x = x, c.y = y, c.width = w, c.height = h;
  return c;
}

}  // namespace

rt::WindowDef TestForm() {
  rt::WindowDef def;
  def.module = "test";
  def.name = "FORM";
  def.caption = "Form";
  def.width = 200;
  def.height = 120;
  rt::ControlDef entry = Make(2, rt::ControlKind::Entry, "", 40, 5, 80, 10);
  entry.picture = "s10";
  rt::ControlDef small = Make(4, rt::ControlKind::Radio, "&Small", 10, 30);
  small.value = "S";
  rt::ControlDef large = Make(5, rt::ControlKind::Radio, "&Large", 10, 42);
  large.value = "L";
  rt::ControlDef spin = Make(7, rt::ControlKind::Spin, "", 110, 35, 30, 10);
  spin.picture = "n1";
  rt::ControlDef hidden = Make(9, rt::ControlKind::Button, "Hidden", 155, 90, 40, 14);
  hidden.hidden = true;
  rt::ControlDef list = Make(10, rt::ControlKind::List, "", 5, 65, 100, 45);
  list.format = "60L~Name~@s20@40R~Size~@s5@";
  def.controls = {Make(1, rt::ControlKind::Prompt, "&Name:", 5, 5),
                  entry,
                  Make(3, rt::ControlKind::OptionGroup, "Size", 5, 20, 100, 40),
                  small,
                  large,
                  Make(6, rt::ControlKind::CheckBox, "&Urgent", 110, 20),
                  spin,
                  Make(8, rt::ControlKind::Button, "&Go", 110, 90, 40, 14),
                  hidden,
                  list,
                  Make(11, rt::ControlKind::Image, rt::IconHand, 160, 5, 21, 21)};
  return def;
}

void Win32Test::SetUp() {
  rt::ResetWindowing();
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&controls);
  rt::SetBackend(&backend_);
}

void Win32Test::TearDown() {
  rt::ResetWindowing();
  rt::ClearSystemProperties();
  backend_.SetCursor("");
  backend_.PumpPending();
  headless::Install();
}

rt::Window* Win32Test::Open(const rt::WindowDef& def, std::vector<rt::Binding> bindings) {
  rt::Window* w = rt::PrepareWindow(def, std::move(bindings));
  EXPECT_NE(w, nullptr);
  if (!w) return nullptr;
  rt::OpenWindow(w);
  EXPECT_NE(backend_.Native(*w), nullptr) << "no native window";
  Events(w);  // what opening queues (opened, resized, focus) is not the test's
  return w;
}

win32::NativeWindow& Win32Test::Native(rt::Window* window) { return *backend_.Native(*window); }

HWND Win32Test::Control(rt::Window* window, int32_t number) { return Native(window).ControlHandle(number); }

std::vector<SeenEvent> Win32Test::Events(rt::Window* window) {
  backend_.PumpPending();
  std::vector<SeenEvent> seen;
  while (window->QueuedEvents() > 0 && window->NextEvent()) {
    const auto& e = window->Current();
    seen.push_back({e.event, e.control, e.accepted, rt::KeyCode()});
  }
  return seen;
}

std::vector<SeenEvent> Win32Test::Events(rt::Window* window, std::initializer_list<int32_t> codes) {
  std::vector<SeenEvent> all = Events(window);
  std::erase_if(all, [&](const SeenEvent& e) { return std::find(codes.begin(), codes.end(), e.event) == codes.end(); });
  return all;
}

}  // namespace win32_test
