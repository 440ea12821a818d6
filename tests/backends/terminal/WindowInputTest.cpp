// What keys do in a window drawn in the terminal, as a table: each case
// opens a small window with every kind of control a person types into or
// presses, gives one control the focus, sends the keys, and reads back the
// events the runtime window queued and the state of its controls.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "backends/terminal/WindowInput.h"
#include "runtime/EventLoop.h"
#include "runtime/Events.h"
#include "runtime/Property.h"
#include "runtime/Window.h"

namespace terminal {
namespace {

using K = rt::ControlKind;

rt::WindowDef Form() {
  rt::WindowDef def;
  def.module = "termtest";
  def.name = "FORM";
  def.width = 200;
  def.height = 100;
  auto c = [&def](int32_t n, K kind, const char* text, int32_t x, int32_t y, int32_t w = 0,
                  int32_t h = 0) -> rt::ControlDef& {
    return def.controls.emplace_back(rt::MakeControl(n, "c" + std::to_string(n), kind, text, x, y, w, h));
  };
  c(1, K::Prompt, "&Name:", 0, 0);
  c(2, K::Entry, "", 40, 0, 60, 10).picture = "s5";
  c(3, K::Spin, "", 120, 0, 20, 10).picture = "n1";
  c(4, K::OptionGroup, "Size", 0, 16, 100, 40);
  c(5, K::Radio, "&Small", 4, 24).value = "1";
  c(6, K::Radio, "Medium", 4, 32).value = "2";
  c(7, K::Radio, "Large", 4, 40).value = "3";
  c(8, K::CheckBox, "&Bold", 110, 24);
  c(9, K::Button, "&Go", 110, 60, 40, 14);
  c(10, K::Button, "Stop", 160, 60, 40, 14);
  c(11, K::Button, "Hidden", 110, 80, 40, 14).hidden = true;
  def.commands = {{1, "&Print", ""}, {2, "&Save", ""}};
  return def;
}

std::string Events(rt::Window& w) {
  std::string out;
  while (w.QueuedEvents() > 0 && w.NextEvent()) {
    const rt::Window::CurrentEvent& e = w.Current();
    std::string name;
    switch (e.event) {
      case rt::EventControlAccepted:
        name = "accepted:" + std::to_string(e.control) + "/" + std::to_string(rt::KeyCode());
        break;
      case rt::EventInputRejected:
        name = "rejected:" + std::to_string(e.control);
        break;
      case rt::EventControlSelected:
        name = "selected:" + std::to_string(e.control);
        break;
      case rt::EventCloseRequested:
        name = "close/" + std::to_string(rt::KeyCode());
        break;
      case rt::EventCommand:
        name = "command:" + std::to_string(rt::KeyCode());
        break;
      case rt::EventAlertedKey:
        name = "alerted:" + std::to_string(e.control) + "/" + std::to_string(rt::KeyCode());
        break;
      case rt::EventFocusLost:
        name = "lost";
        break;
      default:
        name = "event" + std::to_string(e.event);
        break;
    }
    out += (out.empty() ? "" : " ") + name;
  }
  return out;
}

std::string State(const rt::Window& w) {
  return "focus=" + std::to_string(w.Focus()) + " entry=" + w.Contents(2) + " spin=" + w.Contents(3) +
         " size=" + w.Contents(4) + " bold=" + w.Contents(8);
}

Key Char(char c) { return {KeyName::Char, c}; }
Key Alt(char c) { return {KeyName::Alt, c}; }
Key Named(KeyName name) { return {name, 0}; }
Key F(int n) { return {KeyName::Function, static_cast<char>(n)}; }
const Key Tab = Named(KeyName::Tab), BackTab = Named(KeyName::BackTab), Enter = Named(KeyName::Enter),
          Space = Named(KeyName::Space), Up = Named(KeyName::Up), Down = Named(KeyName::Down),
          Left = Named(KeyName::Left), Backspace = Named(KeyName::Backspace), Escape = Named(KeyName::Escape);

TEST(TerminalWindowKeys, EachKeyDoesWhatADesktopWindowsWould) {
  struct Case {
    const char* label;
    int32_t focus;
    std::vector<Key> keys;
    const char* events;
    const char* state;
    std::function<void(rt::Window&)> setUp = {};
  };
  const auto chooseMedium = [](rt::Window& w) { w.ChooseRadio(6); };
  const auto noDefault = [](rt::Window& w) { w.SetProperty(10, rt::PropDefaultButton, 0, rt::Value(int32_t{0})); };
  const Case cases[] = {
      {"letters go into the entry; Tab accepts it and moves on",
       2,
       {Char('a'), Char('b'), Tab},
       "accepted:2/9 selected:3",
       "focus=3 entry=ab spin= size= bold=0"},
      {"the entry holds its picture's five characters",
       2,
       {Char('a'), Char('b'), Char('c'), Char('d'), Char('e'), Char('f')},
       "",
       "focus=2 entry=abcde spin= size= bold=0"},
      {"Backspace takes the letter before the caret",
       2,
       {Char('a'), Char('b'), Char('c'), Left, Backspace},
       "",
       "focus=2 entry=ac spin= size= bold=0"},
      {"Shift+Tab from the first stop goes round to the last shown",
       2,
       {BackTab},
       "selected:10",
       "focus=10 entry= spin= size= bold=0"},
      {"Tab stops at a group once, at its chosen radio",
       3,
       {Tab, Tab},
       "selected:6 selected:8",
       "focus=8 entry= spin= size=2 bold=0",
       chooseMedium},
      {"Down chooses the next radio",
       6,
       {Down},
       "selected:7 accepted:4/40",
       "focus=7 entry= spin= size=3 bold=0",
       chooseMedium},
      {"Up from the first radio goes round to the last",
       5,
       {Up},
       "selected:7 accepted:4/38",
       "focus=7 entry= spin= size=3 bold=0"},
      {"Space ticks the check box", 8, {Space}, "accepted:8/32", "focus=8 entry= spin= size= bold=1"},
      {"Enter in the entry presses the default button",
       2,
       {Char('x'), Enter},
       "accepted:10/13",
       "focus=2 entry=x spin= size= bold=0"},
      {"without a default button Enter accepts the entry",
       2,
       {Char('x'), Enter},
       "accepted:2/13",
       "focus=2 entry=x spin= size= bold=0",
       noDefault},
      {"Enter on a button presses that one", 9, {Enter}, "accepted:9/13", "focus=9 entry= spin= size= bold=0"},
      {"Escape asks to close", 2, {Escape}, "close/27", "focus=2 entry= spin= size= bold=0"},
      {"Ctrl+C asks to close as Escape does",
       8,
       {Named(KeyName::Interrupt)},
       "close/27",
       "focus=8 entry= spin= size= bold=0"},
      {"a letter alone outside a field is an access key",
       8,
       {Char('g')},
       "selected:9 accepted:9/71",
       "focus=9 entry= spin= size= bold=0"},
      {"in a field Alt is needed: the letter alone is typed",
       2,
       {Char('g'), Alt('b')},
       "accepted:2/66 selected:8 accepted:8/66",
       "focus=8 entry=g spin= size= bold=1"},
      {"a prompt's key goes to its field", 8, {Alt('n')}, "selected:2", "focus=2 entry= spin= size= bold=0"},
      {"a radio's key chooses it", 2, {Alt('s')}, "selected:5 accepted:4/83", "focus=5 entry= spin= size=1 bold=0"},
      {"the spin steps up to what its picture takes, and Tab accepts it",
       3,
       {Up, Up, Tab},
       "accepted:3/9 selected:5",
       "focus=5 entry= spin=9 size= bold=0",
       [](rt::Window& w) { w.EnterText(3, "8"); }},
      {"a digit more than the spin's picture takes is not typed",
       3,
       {Char('7'), Char('5'), Char('x')},
       "",
       "focus=3 entry= spin=7 size= bold=0"},
      {"F10 lists the commands; Down and Enter choose the second",
       2,
       {F(10), Down, Enter},
       "command:2",
       "focus=2 entry= spin= size= bold=0"},
      {"a command's letter chooses it from the list; the edit stays pending",
       2,
       {Char('z'), F(10), Char('p')},
       "command:1",
       "focus=2 entry=z spin= size= bold=0"},
      {"an alerted key goes to the program instead",
       2,
       {F(2), Char('a')},
       "alerted:2/113",
       "focus=2 entry=a spin= size= bold=0",
       [](rt::Window& w) { w.SetProperty(2, rt::PropAlertedKeys, 1, rt::Value(int32_t{113})); }},
  };
  const rt::WindowDef def = Form();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    rt::Window* w = rt::PrepareWindow(def);
    ASSERT_NE(w, nullptr);
    rt::OpenWindow(w, c.focus);
    w->SetProperty(10, rt::PropDefaultButton, 0, rt::Value(int32_t{1}));
    if (c.setUp) c.setUp(*w);
    Events(*w);
    WindowView view;
    view.layout = LayOutWindow(def);
    ApplyFocus(*w, view, c.focus);
    for (const Key& key : c.keys) WindowKey(*w, view, key);
    EXPECT_EQ(Events(*w), c.events);
    EXPECT_EQ(State(*w), c.state);
    rt::ReleaseWindow(w);
  }
}

TEST(TerminalWindowKeys, AClickActsOnTheControlUnderIt) {
  struct Case {
    const char* label;
    int x, y;
    const char* events;
    const char* state;
  };
  // The form's cells: the radios in rows 3 to 5 inside the group, the check
  // box at 27,3, the buttons in row 7.
  const Case cases[] = {
      {"a radio inside its group, not the group", 2, 4, "selected:6 accepted:4/1",
       "focus=6 entry= spin= size=2 bold=0"},
      {"the check box's caption", 32, 3, "selected:8 accepted:8/1", "focus=8 entry= spin= size= bold=1"},
      {"a button", 29, 7, "selected:9 accepted:9/1", "focus=9 entry= spin= size= bold=0"},
      {"the group's border does nothing", 0, 2, "", "focus=2 entry= spin= size= bold=0"},
      {"a hidden button is not there", 30, 10, "", "focus=2 entry= spin= size= bold=0"},
  };
  const rt::WindowDef def = Form();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    rt::Window* w = rt::PrepareWindow(def);
    rt::OpenWindow(w, 2);
    Events(*w);
    WindowView view;
    view.layout = LayOutWindow(def);
    WindowClick(*w, view, c.x, c.y);
    EXPECT_EQ(Events(*w), c.events);
    EXPECT_EQ(State(*w), c.state);
    rt::ReleaseWindow(w);
  }
}

TEST(TerminalWindowKeys, AWindowCoveredByABoxKeepsWhatWasTyped) {
  rt::Window* w = rt::PrepareWindow(Form());
  rt::OpenWindow(w, 2);
  Events(*w);
  WindowView view;
  view.layout = LayOutWindow(w->Def());
  WindowKey(*w, view, Char('q'));
  WindowCovered(*w, view);
  WindowUncovered(*w);
  EXPECT_EQ(Events(*w), "accepted:2/81 lost event518");
  rt::ReleaseWindow(w);
}

}  // namespace
}  // namespace terminal
