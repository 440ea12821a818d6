#include "backends/terminal/BoxKeys.h"

#include <algorithm>
#include <cctype>

#include "runtime/BoxRules.h"

namespace terminal {
namespace {

using Kind = KeyOutcome::Kind;

KeyOutcome Redraw() { return {Kind::Redraw, 0}; }

// Scrolls to `top`, kept where the last page still fills the screen.
KeyOutcome ScrollTo(BoxModel& box, std::ptrdiff_t top, std::size_t shown) {
  const std::ptrdiff_t last = box.lines.size() > shown ? static_cast<std::ptrdiff_t>(box.lines.size() - shown) : 0;
  const std::size_t now = static_cast<std::size_t>(std::clamp<std::ptrdiff_t>(top, 0, last));
  if (now == box.top) return {};
  box.top = now;
  return Redraw();
}

}  // namespace

KeyOutcome HandleKey(BoxModel& box, Key key, std::size_t shownLines) {
  const std::size_t buttons = box.buttons.size();
  const std::size_t stops = buttons + (box.HasCheckBox() ? 1 : 0);
  if (buttons == 0) return {};
  const std::ptrdiff_t top = static_cast<std::ptrdiff_t>(box.top);
  const std::ptrdiff_t page = static_cast<std::ptrdiff_t>(std::max<std::size_t>(1, shownLines));
  switch (key.name) {
    case KeyName::Tab:
      box.focus = (box.focus + 1) % stops;
      return Redraw();
    case KeyName::BackTab:
      box.focus = (box.focus + stops - 1) % stops;
      return Redraw();
    case KeyName::Left:
      box.focus = box.focus >= buttons ? buttons - 1 : (box.focus + buttons - 1) % buttons;
      return Redraw();
    case KeyName::Right:
      box.focus = box.focus >= buttons ? 0 : (box.focus + 1) % buttons;
      return Redraw();
    case KeyName::Up:
      return ScrollTo(box, top - 1, shownLines);
    case KeyName::Down:
      return ScrollTo(box, top + 1, shownLines);
    case KeyName::PageUp:
      return ScrollTo(box, top - page, shownLines);
    case KeyName::PageDown:
      return ScrollTo(box, top + page, shownLines);
    case KeyName::Home:
      return ScrollTo(box, 0, shownLines);
    case KeyName::End:
      return ScrollTo(box, static_cast<std::ptrdiff_t>(box.lines.size()), shownLines);
    case KeyName::Enter:
      // On the check box, Enter presses the default button, as in a dialog.
      return {Kind::Press, box.focus < buttons ? box.focus : box.defaultIndex};
    case KeyName::Space:
      if (box.focus < buttons) return {Kind::Press, box.focus};
      box.checked = !box.checked;
      return Redraw();
    case KeyName::Escape:
    case KeyName::Interrupt:
      return {Kind::Dismiss, 0};
    case KeyName::Resize:
      return Redraw();
    case KeyName::Char:
    case KeyName::Alt: {
      const char wanted = static_cast<char>(std::tolower(static_cast<unsigned char>(key.ch)));
      if (wanted == 0) return {};
      for (std::size_t i = 0; i < buttons; ++i)
        if (rt::AccessKeyOf(box.buttons[i].caption) == wanted) return {Kind::Press, i};
      if (box.HasCheckBox() && rt::AccessKeyOf(box.checkBox) == wanted) {
        box.checked = !box.checked;
        box.focus = buttons;
        return Redraw();
      }
      return {};
    }
    case KeyName::Ended:
      return {Kind::Abandon, 0};
    case KeyName::Click:
    case KeyName::Backspace:
    case KeyName::Delete:
    case KeyName::Function:
    case KeyName::None:
      return {};
  }
  return {};
}

}  // namespace terminal
