// The runtime's own message box: a window definition built for the message
// and run through the ordinary window machinery, so that it looks and behaves
// the same on every backend and may be shown from inside another window's
// event handler.
#include <algorithm>
#include <string_view>

#include "runtime/EventLoop.h"
#include "runtime/Events.h"
#include "runtime/MessageBox.h"
#include "runtime/Text.h"
#include "runtime/Window.h"

namespace rt {
namespace {

struct ButtonFace {
  int32_t value;
  const char* caption;
};

// In the order the buttons stand, left to right.
constexpr ButtonFace kButtons[] = {
    {ButtonOk, "OK"},        {ButtonYes, "&Yes"},       {ButtonNo, "&No"},        {ButtonAbort, "&Abort"},
    {ButtonRetry, "&Retry"}, {ButtonIgnore, "&Ignore"}, {ButtonCancel, "Cancel"}, {ButtonHelp, "&Help"},
};

// Layout in dialog units.
constexpr int32_t kMargin = 7;
constexpr int32_t kIconSize = 21;
constexpr int32_t kLineHeight = 8;
constexpr int32_t kCharWidth = 4;
constexpr int32_t kButtonWidth = 50;
constexpr int32_t kButtonHeight = 14;
constexpr int32_t kButtonGap = 6;
constexpr int32_t kMinWidth = 120;

constexpr int32_t kImageControl = 1;
constexpr int32_t kFirstLineControl = 2;

// The text without trailing blanks, split at '|' and at line ends (CR LF,
// LF or CR alone).
std::vector<std::string> SplitLines(std::string_view text) {
  std::string clipped = Clip(text);
  std::vector<std::string> lines(1);
  for (std::size_t i = 0; i < clipped.size(); ++i) {
    char c = clipped[i];
    if (c == '|' || c == '\n' || c == '\r') {
      if (c == '\r' && i + 1 < clipped.size() && clipped[i + 1] == '\n') ++i;
      lines.emplace_back();
    } else {
      lines.back() += c;
    }
  }
  return lines;
}

bool KnownIcon(const std::string& icon) {
  std::string code = Clip(icon);
  return code == IconHand || code == IconQuestion || code == IconExclamation || code == IconAsterisk;
}

// The default is read as the hook reads it: 2 and 3 name a position, other
// values the ButtonSet value of a shown button; anything else is the first.
std::size_t DefaultIndex(const std::vector<MessageBoxInfo::Button>& shown, int32_t defaultButton) {
  if ((defaultButton == 2 || defaultButton == 3) && static_cast<std::size_t>(defaultButton) <= shown.size())
    return static_cast<std::size_t>(defaultButton - 1);
  for (std::size_t i = 0; i < shown.size(); ++i)
    if (shown[i].value == defaultButton) return i;
  return 0;
}

// As on Windows: Escape and the close box answer Cancel where there is one,
// OK in a box whose only answer is OK, and do nothing otherwise.
int32_t EscapeValue(int32_t buttons) {
  if (buttons & ButtonCancel) return ButtonCancel;
  if ((buttons & ~ButtonHelp) == ButtonOk) return ButtonOk;
  return 0;
}

MessageBoxInfo Describe(const std::string& text, const std::string& caption, const std::string& icon, int32_t buttons,
                        int32_t defaultButton, int32_t style) {
  MessageBoxInfo info;
  info.text = text;
  info.caption = Clip(caption);  // a fixed-length field's padding is not part of the title
  info.icon = icon;
  info.buttons = buttons;
  info.defaultButton = defaultButton;
  info.style = style;
  info.lines = SplitLines(text);
  int32_t set = buttons & 0xFF;
  if (set == 0) set = ButtonOk;  // a box always has a way to answer it
  int32_t control = kFirstLineControl + static_cast<int32_t>(info.lines.size());
  for (const ButtonFace& b : kButtons)
    if (set & b.value) info.shown.push_back({b.value, control++, b.caption});
  info.defaultValue = info.shown[DefaultIndex(info.shown, defaultButton)].value;
  info.escapeValue = EscapeValue(set);
  return info;
}

// FIXME: long lines are not wrapped; the box grows as wide as the longest line.
WindowDef Layout(const MessageBoxInfo& info) {
  WindowDef def;
  def.module = "rt";
  def.name = "$MESSAGEBOX";
  def.caption = info.caption;
  bool icon = KnownIcon(info.icon);
  int32_t textX = icon ? kMargin + kIconSize + 8 : kMargin;
  std::size_t longest = 0;
  for (const std::string& line : info.lines) longest = std::max(longest, line.size());
  int32_t textWidth = std::max<int32_t>(20, static_cast<int32_t>(longest) * kCharWidth);
  int32_t lines = static_cast<int32_t>(info.lines.size());
  int32_t contentHeight = std::max(icon ? kIconSize : 0, lines * kLineHeight);
  int32_t count = static_cast<int32_t>(info.shown.size());
  int32_t buttonsWidth = count * kButtonWidth + (count - 1) * kButtonGap;
  def.width = std::max({kMinWidth, textX + textWidth + kMargin, buttonsWidth + 2 * kMargin});
  int32_t buttonsY = kMargin + contentHeight + 10;
  def.height = buttonsY + kButtonHeight + kMargin;

  auto place = [&def](int32_t number, std::string name, ControlKind kind, std::string text, int32_t x, int32_t y,
                      int32_t width, int32_t height) -> ControlDef& {
    return def.controls.emplace_back(MakeControl(number, std::move(name), kind, std::move(text), x, y, width, height));
  };
  place(kImageControl, "?IMAGE", ControlKind::Image, icon ? Clip(info.icon) : std::string(), kMargin, kMargin,
        kIconSize, kIconSize)
      .hidden = !icon;
  int32_t textY = kMargin + std::max(0, (contentHeight - lines * kLineHeight) / 2);
  for (int32_t i = 0; i < lines; ++i)
    place(kFirstLineControl + i, "?LINE" + std::to_string(i + 1), ControlKind::Prompt, info.lines[i], textX,
          textY + i * kLineHeight, textWidth, kLineHeight);
  int32_t x = (def.width - buttonsWidth) / 2;
  for (const MessageBoxInfo::Button& b : info.shown) {
    place(b.control, "?BUTTON" + std::to_string(b.value), ControlKind::Button, b.caption, x, buttonsY, kButtonWidth,
          kButtonHeight);
    x += kButtonWidth + kButtonGap;
  }
  return def;
}

// Releases the box's window however the box ends, an exception included.
struct WindowGuard {
  Window* window;
  ~WindowGuard() { ReleaseWindow(window); }
};

}  // namespace

int32_t RuntimeMessageBox(const std::string& text, const std::string& caption, const std::string& icon, int32_t buttons,
                          int32_t defaultButton, int32_t style) {
  MessageBoxInfo info = Describe(text, caption, icon, buttons, defaultButton, style);
  if (Window* owner = CurrentWindow())
    info.owner = static_cast<intptr_t>(owner->GetProperty(0, PropHandle, 0).Number());
  Window* window = PrepareWindow(Layout(info));
  if (!window) return 0;
  WindowGuard guard{window};
  window->AttachBoxInfo(&info);
  int32_t defaultControl = 0;
  for (const MessageBoxInfo::Button& b : info.shown)
    if (b.value == info.defaultValue) defaultControl = b.control;
  OpenWindow(window);
  window->SetProperty(defaultControl, PropDefaultButton, 0, Value(1));
  window->Select(defaultControl);

  int32_t result = 0;
  StartEventLoop();
  for (;;) {
    int32_t flag = 0;
    int32_t event = Event();
    if (event == EventControlAccepted) {
      for (const MessageBoxInfo::Button& b : info.shown)
        if (b.control == Accepted()) {
          result = b.value;
          flag = -1;
        }
    } else if (event == EventCloseRequested || event == EventShutdownRequested) {
      result = info.escapeValue;
      flag = result ? -1 : 1;  // a box that cannot be dismissed stays open
    }
    if (EndEventLoop(flag)) break;
  }
  info.result = result;
  CloseWindow(window);
  return result;
}

}  // namespace rt
