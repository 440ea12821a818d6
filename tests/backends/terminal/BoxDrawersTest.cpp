// The box behaviour table on the terminal backend, as a person meets it: each
// case's box is shown by a program of its own in a terminal of its own (tmux,
// 80 by 24), read back from the screen and answered with the keyboard. Three
// drawers: the runtime's own box window, MessageBoxA behind the native
// message hook, and the native box of a whole request.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "TmuxScreen.h"
#include "runtime/BoxRules.h"
#include "support/BoxCases.h"
#include "support/TempDir.h"

namespace terminal_test {
namespace {

using box_cases::Act;
using box_cases::BoxCase;
using box_cases::Seen;

// A button's value by its caption, which may be counting down ("OK (5)").
int32_t ValueOfCaption(const std::string& caption) {
  for (const rt::BoxButton& b : rt::AllBoxButtons()) {
    const std::string own = rt::WithoutAccessKeys(b.caption);
    if (caption == own || caption.rfind(own + " (", 0) == 0) return b.value;
  }
  return 0;
}

std::string IconOfSign(const std::string& sign) {
  if (sign == "(X)") return rt::IconHand;
  if (sign == "(?)") return rt::IconQuestion;
  if (sign == "(!)") return rt::IconExclamation;
  if (sign == "(i)") return rt::IconAsterisk;
  return {};
}

std::string TrimRight(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

// The box as it stands on the screen.
struct ShownBox {
  bool found = false;
  int left = 0, right = 0, top = 0, bottom = 0;
  struct Label {
    int x, width;
    std::string caption;  // with '&' before an underlined letter
    bool isDefault;
  };
  std::vector<Label> buttons;
};

ShownBox FindBox(const Screen& s) {
  ShownBox box;
  for (int y = 0; y < static_cast<int>(s.rows.size()) && !box.found; ++y) {
    const auto& row = s.rows[static_cast<std::size_t>(y)];
    for (int x = 0; x < static_cast<int>(row.size()); ++x)
      if (row[static_cast<std::size_t>(x)].line && row[static_cast<std::size_t>(x)].ch == 'l') {
        box.left = x;
        box.top = y;
        for (int r = x + 1; r < static_cast<int>(row.size()); ++r)
          if (row[static_cast<std::size_t>(r)].line && row[static_cast<std::size_t>(r)].ch == 'k') box.right = r;
        for (int b = y + 1; b < static_cast<int>(s.rows.size()); ++b) {
          const auto& under = s.rows[static_cast<std::size_t>(b)];
          if (static_cast<int>(under.size()) > x && under[static_cast<std::size_t>(x)].line &&
              under[static_cast<std::size_t>(x)].ch == 'm')
            box.bottom = b;
        }
        box.found = box.right > x && box.bottom > y;
        break;
      }
  }
  if (!box.found) return box;
  const auto& row = s.rows[static_cast<std::size_t>(box.bottom - 2)];
  for (int x = box.left + 1; x < box.right; ++x) {
    if (row[static_cast<std::size_t>(x)].ch != '[') continue;
    const bool isDefault = row[static_cast<std::size_t>(x + 1)].ch == '[';
    const std::string close = isDefault ? "]]" : " ]";
    const std::string text = s.Row(box.bottom - 2);
    const std::size_t end = text.find(close, static_cast<std::size_t>(x + 2));
    if (end == std::string::npos) break;
    ShownBox::Label label{x, static_cast<int>(end + 2) - x, {}, isDefault};
    for (std::size_t i = static_cast<std::size_t>(x + 2); i < end; ++i)
      label.caption += std::string(row[i].underline ? "&" : "") + row[i].ch;
    box.buttons.push_back(label);
    x = static_cast<int>(end + 1);
  }
  return box;
}

Seen Read(const Screen& s, const ShownBox& box) {
  Seen seen;
  seen.shown = true;
  std::string top =
      s.Row(box.top).substr(static_cast<std::size_t>(box.left + 1), static_cast<std::size_t>(box.right - box.left - 1));
  const auto& topCells = s.rows[static_cast<std::size_t>(box.top)];
  seen.closeBox = top.find("[x]") != std::string::npos ? 1 : 0;
  std::string title;
  for (int x = box.left + 2; x < box.right && !topCells[static_cast<std::size_t>(x)].line; ++x)
    title += topCells[static_cast<std::size_t>(x)].ch;
  seen.title = title.size() >= 2 ? title.substr(1, title.size() - 2) : "";
  seen.systemModal = topCells[static_cast<std::size_t>(box.left)].bold;
  for (const ShownBox::Label& b : box.buttons) {
    seen.captions.push_back(b.caption);
    if (b.isDefault) seen.defaultValue = ValueOfCaption(rt::WithoutAccessKeys(b.caption));
    if (s.cursorY == box.bottom - 2 && s.cursorX >= b.x && s.cursorX < b.x + b.width)
      seen.focusedValue = ValueOfCaption(rt::WithoutAccessKeys(b.caption));
  }
  const std::string iconRow = s.Row(box.top + 2);
  seen.icon = IconOfSign(iconRow.substr(static_cast<std::size_t>(box.left + 3), 3));
  seen.scrolls = s.Row(box.bottom).find(" lines ") != std::string::npos;
  seen.fitsScreen = box.left >= 0 && box.right < 80 && box.bottom < 24;
  if (!seen.scrolls) {
    // A text that scrolls is never all on the screen at once: its lines are
    // not read.
    const std::size_t textX = static_cast<std::size_t>(box.left + 3 + (seen.icon.empty() ? 0 : 4));
    for (int y = box.top + 2; y <= box.bottom - 4; ++y) {
      const std::string row = s.Row(y);
      seen.lines.push_back(
          TrimRight(row.size() > textX ? row.substr(textX, static_cast<std::size_t>(box.right) - textX) : ""));
    }
    while (!seen.lines.empty() && seen.lines.back().empty()) seen.lines.pop_back();
  }
  return seen;
}

class TerminalDrawer : public box_cases::Drawer {
 public:
  TerminalDrawer(const char* name, const char* kind, bool native) : name_(name), kind_(kind), native_(native) {}
  const char* Name() const override { return name_; }
  bool Native() const override { return native_; }

  Seen Show(const BoxCase& c) override {
    const std::size_t index = static_cast<std::size_t>(&c - &box_cases::Cases()[0]);
    const std::string result = dir_.File("result-" + std::to_string(index));
    std::remove(result.c_str());
    Tmux tmux(std::string(std::getenv("QUIBRA_TERMINAL_BOX_CHILD")) + " " + kind_ + " " + std::to_string(index) + " " +
              result);
    Screen screen;
    ShownBox box = WaitForBox(tmux, screen);
    Seen seen;
    if (!box.found) return seen;
    seen = Read(screen, box);
    if (c.act == Act::Press) Press(tmux, c.press);
    if (c.act == Act::Escape) tmux.Send("Escape");
    if (c.act == Act::Close) tmux.Send("C-c");  // answers as the close box does
    if (c.act == Act::Escape || c.act == Act::Close) {
      std::this_thread::sleep_for(std::chrono::milliseconds(300));
      if (!Exists(result) && FindBox(tmux.Capture()).found) {
        seen.stayedOpen = true;
        tmux.Send("Enter");
      }
    }
    seen.result = WaitForResult(result, c.timeout + 5);
    return seen;
  }

 private:
  static bool Exists(const std::string& path) { return std::ifstream(path).good(); }

  static ShownBox WaitForBox(const Tmux& tmux, Screen& screen) {
    for (int i = 0; i < 100; ++i) {
      screen = tmux.Capture();
      ShownBox box = FindBox(screen);
      if (box.found && !box.buttons.empty()) return box;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ADD_FAILURE() << "no box came; the screen reads:\n"
                  << [&] {
                       std::string all;
                       for (int y = 0; y < static_cast<int>(screen.rows.size()); ++y) all += screen.Row(y) + "\n";
                       return all;
                     }();
    return {};
  }

  static int32_t WaitForResult(const std::string& path, int seconds) {
    for (int i = 0; i < seconds * 20; ++i) {
      std::ifstream in(path);
      int32_t value = 0;
      if (in >> value) return value;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return -1;
  }

  // A button with an access key is pressed by its letter; one without is
  // reached with Tab and pressed with Enter.
  static void Press(const Tmux& tmux, int32_t value) {
    for (const rt::BoxButton& b : rt::AllBoxButtons()) {
      if (b.value != value) continue;
      if (const char key = rt::AccessKeyOf(b.caption)) {
        tmux.Send(std::string(1, key));
        return;
      }
      for (int tabs = 0; tabs < 5; ++tabs) {
        const Screen s = tmux.Capture();
        const ShownBox box = FindBox(s);
        const Seen seen = Read(s, box);
        if (seen.focusedValue == value) {
          tmux.Send("Enter");
          return;
        }
        tmux.Send("Tab");
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
      }
      ADD_FAILURE() << "Tab never reached " << b.name;
    }
  }

  const char* name_;
  const char* kind_;
  bool native_;
  quibra_test::TempDir dir_;
};

class TerminalBoxDrawers : public testing::Test {
 protected:
  void SetUp() override {
    if (!Tmux::Installed()) GTEST_SKIP() << "SKIPPED: tmux is not installed, so no terminal can be read back";
    if (!std::getenv("QUIBRA_TERMINAL_BOX_CHILD")) GTEST_SKIP() << "SKIPPED: QUIBRA_TERMINAL_BOX_CHILD is not set";
  }
};

TEST_F(TerminalBoxDrawers, TheRuntimeBoxKeepsEveryRule) {
  TerminalDrawer drawer("terminal runtime box", "runtime", false);
  box_cases::ExpectEveryCase(drawer);
}

TEST_F(TerminalBoxDrawers, MessageBoxABehindTheNativeHookKeepsEveryRule) {
  TerminalDrawer drawer("terminal MessageBoxA", "native", true);
  box_cases::ExpectEveryCase(drawer);
}

TEST_F(TerminalBoxDrawers, TheNativeBoxOfARequestKeepsEveryRule) {
  TerminalDrawer drawer("terminal request box", "request", false);
  box_cases::ExpectEveryCase(drawer);
}

// A window of any definition on the same terminal: the error window over a
// history of three errors, 83 cells wide on 80, its list, icon and buttons
// read back, and Enter pressing its default button.
TEST_F(TerminalBoxDrawers, TheErrorWindowShowsItsHistoryCutWithACue) {
  quibra_test::TempDir dir;
  const std::string result = dir.File("history");
  Tmux tmux(std::string(std::getenv("QUIBRA_TERMINAL_BOX_CHILD")) + " history 0 " + result);
  std::string all;
  for (int i = 0; i < 100 && all.find("Errors History") == std::string::npos; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const Screen s = tmux.Capture();
    all.clear();
    for (int y = 0; y < static_cast<int>(s.rows.size()); ++y) all += s.Row(y) + "\n";
  }
  for (const char* shown :
       {" Errors History ", "Message", "Category", "(!)", "Customers.DAT File Load Error.", "Files", "[[Ok]]", ">\n"})
    EXPECT_NE(all.find(shown), std::string::npos) << shown << " is not on the screen:\n" << all;
  tmux.Send("Enter");
  std::string closed;
  for (int i = 0; i < 100 && closed.empty(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::ifstream(result) >> closed;
  }
  EXPECT_EQ(closed, "1") << "Enter did not close the window";
}

}  // namespace
}  // namespace terminal_test
