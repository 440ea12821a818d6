// The runtime's own message box: a window definition built for the message
// and run through the ordinary window machinery, so that it looks and behaves
// the same on every backend and may be shown from inside another window's
// event handler.
#include <algorithm>
#include <string_view>

#include "runtime/Backend.h"
#include "runtime/BoxRules.h"
#include "runtime/EventLoop.h"
#include "runtime/Events.h"
#include "runtime/MessageBox.h"
#include "runtime/Text.h"
#include "runtime/Window.h"

namespace rt {
namespace {

using namespace box_layout;

constexpr int32_t kImageControl = 1;
constexpr int32_t kFirstLineControl = 2;
constexpr int32_t kCheckBoxWidth = 12;  // the box and the gap before its caption

bool KnownIcon(const std::string& icon) { return IconFlag(Clip(icon)) != 0; }

MessageBoxInfo Describe(const BoxRequest& r, const BoxTextArea& area) {
  MessageBoxInfo info;
  info.text = r.text;
  info.caption = Clip(r.caption);  // a fixed-length field's padding is not part of the title
  info.icon = r.icon;
  info.buttons = r.buttons;
  info.defaultButton = r.defaultButton;
  info.style = r.style;
  info.timeout = std::max(0, r.timeout);
  info.lines = TextLines(r, area.columns);
  // This box has no room that opens on request: the details follow the text.
  if (!r.details.empty()) {
    BoxRequest details = r;
    details.text = r.details;
    info.lines.emplace_back();
    for (std::string& line : TextLines(details, area.columns)) info.lines.push_back(std::move(line));
  }
  info.scrolls = info.lines.size() > area.lines;
  int32_t control = kFirstLineControl + (info.scrolls ? 1 : static_cast<int32_t>(info.lines.size()));
  if (!r.checkBox.empty()) {
    info.checkControl = control++;
    info.checkBox = r.checkBox;
  }
  const std::vector<ShownButton> buttons = ButtonsOf(r, false);
  for (const ShownButton& b : buttons) info.shown.push_back({b.value, control++, b.caption});
  info.defaultValue = buttons[DefaultPlace(buttons, r.defaultButton)].value;
  info.escapeValue = EscapeValue(r, buttons);
  return info;
}

// Lines are wrapped before they get here; a text taller than the screen
// allows is shown in one text control that scrolls.
WindowDef Layout(const MessageBoxInfo& info, const BoxTextArea& area, const BoxRequest& r) {
  WindowDef def;
  def.module = "rt";
  def.name = "$MESSAGEBOX";
  def.caption = info.caption;
  bool icon = KnownIcon(info.icon);
  int32_t textX = icon ? kMargin + kIconSize + kIconGap : kMargin;
  std::size_t longest = 0;
  for (const std::string& line : info.lines) longest = std::max(longest, line.size());
  int32_t textWidth = std::max<int32_t>(20, static_cast<int32_t>(longest) * kCharWidth);
  int32_t lines = static_cast<int32_t>(std::min(info.lines.size(), area.lines));
  if (info.scrolls) textWidth += kScrollBarWidth;
  int32_t contentHeight = std::max(icon ? kIconSize : 0, lines * kLineHeight);
  const int32_t checkY = kMargin + contentHeight + kButtonsAbove / 2;
  if (info.checkControl) {
    contentHeight += kLineHeight + kButtonsAbove / 2;
    textWidth = std::max(textWidth, kCheckBoxWidth + static_cast<int32_t>(TextColumns(info.checkBox)) * kCharWidth);
  }
  int32_t count = static_cast<int32_t>(info.shown.size());
  int32_t buttonsWidth = count * kButtonWidth + (count - 1) * kButtonGap;
  // The caller's size in pixels, at 96 dots an inch: a dialog unit of the
  // box's font is 1.5 pixels wide and 13/8 pixels high.
  const int32_t askedWidth = std::clamp<int32_t>(r.width, 0, 4096) * 2 / 3 - kFrameWidth;
  const int32_t askedHeight = std::clamp(r.height, 0, 4096) * 8 / 13 - kFrameHeight;
  def.width = std::max({kMinWidth, textX + textWidth + kMargin, buttonsWidth + 2 * kMargin, askedWidth});
  int32_t buttonsY = std::max(kMargin + contentHeight + kButtonsAbove, askedHeight - kButtonHeight - kMargin);
  def.height = buttonsY + kButtonHeight + kMargin;

  auto place = [&def](int32_t number, std::string name, ControlKind kind, std::string text, int32_t x, int32_t y,
                      int32_t width, int32_t height) -> ControlDef& {
    return def.controls.emplace_back(MakeControl(number, std::move(name), kind, std::move(text), x, y, width, height));
  };
  place(kImageControl, "?IMAGE", ControlKind::Image, icon ? Clip(info.icon) : std::string(), kMargin, kMargin,
        kIconSize, kIconSize)
      .hidden = !icon;
  int32_t textY = kMargin + std::max(0, (contentHeight - lines * kLineHeight) / 2);
  if (info.scrolls) {
    std::string text;
    for (const std::string& line : info.lines) text += (text.empty() ? "" : "\r\n") + line;
    place(kFirstLineControl, "?TEXT", ControlKind::Text, text, textX, textY, textWidth, lines * kLineHeight);
  } else {
    for (int32_t i = 0; i < lines; ++i)
      place(kFirstLineControl + i, "?LINE" + std::to_string(i + 1), ControlKind::Prompt, info.lines[i], textX,
            textY + i * kLineHeight, textWidth, kLineHeight);
  }
  if (info.checkControl)
    place(info.checkControl, "?DONTASK", ControlKind::CheckBox, info.checkBox, textX, checkY,
          kCheckBoxWidth + static_cast<int32_t>(TextColumns(info.checkBox)) * kCharWidth, kLineHeight + 2);
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
  return RuntimeMessageBox(BoxRequest{.text = text,
                                      .caption = caption,
                                      .icon = icon,
                                      .buttons = buttons,
                                      .defaultButton = defaultButton,
                                      .style = style});
}

int32_t RuntimeMessageBox(const BoxRequest& request) { return AskRuntimeBox(request).button; }

BoxAnswer AskRuntimeBox(const BoxRequest& request) {
  const BoxTextArea area = TextAreaOf(request, CurrentBackend().WorkArea(), KnownIcon(request.icon));
  MessageBoxInfo info = Describe(request, area);
  if (Window* owner = CurrentWindow())
    info.owner = static_cast<intptr_t>(owner->GetProperty(0, PropHandle, 0).Number());
  int32_t checked = 0;
  std::vector<Binding> bindings;
  if (info.checkControl) bindings.push_back(Bind(checked));
  Window* window = PrepareWindow(Layout(info, area, request), std::move(bindings));
  if (!window) return {};
  WindowGuard guard{window};
  window->AttachBoxInfo(&info);
  int32_t defaultControl = 0;
  for (const MessageBoxInfo::Button& b : info.shown)
    if (b.value == info.defaultValue) defaultControl = b.control;
  // The default button has the focus from the moment the box shows.
  OpenWindow(window, defaultControl);
  window->SetProperty(defaultControl, PropDefaultButton, 0, Value(1));
  // A box with a time-out counts the seconds down on its default button; a
  // screen reader reads the button by its caption throughout and the
  // seconds in its description.
  int32_t secondsLeft = info.timeout;
  const std::string defaultCaption = window->Text(defaultControl);
  auto showCountdown = [&] {
    window->SetProperty(defaultControl, PropText, 0, Value(CountdownCaption(defaultCaption, secondsLeft)));
    if (std::string said = CountdownDescription(info.timeout, secondsLeft); !said.empty())
      window->SetDescription(defaultControl, std::move(said));
  };
  if (secondsLeft > 0) {
    window->SetSpokenCaption(defaultControl, defaultCaption);
    showCountdown();
    window->SetTimer(1000);
  }

  int32_t result = 0;
  StartEventLoop();
  for (;;) {
    int32_t flag = 0;
    int32_t event = Event();
    if (event == EventTimer && secondsLeft > 0) {
      if (--secondsLeft > 0) {
        showCountdown();
      } else {
        result = BoxTimedOut;
        flag = -1;
      }
    } else if (event == EventControlAccepted) {
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
  if (info.checkControl) window->Update(info.checkControl);
  CloseWindow(window);
  return {result, checked != 0};
}

}  // namespace rt
