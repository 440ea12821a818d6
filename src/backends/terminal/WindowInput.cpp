#include "backends/terminal/WindowInput.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "runtime/BoxRules.h"
#include "runtime/EventLoop.h"
#include "runtime/Events.h"
#include "runtime/ListFormat.h"
#include "runtime/Picture.h"
#include "runtime/Property.h"
#include "runtime/Text.h"
#include "runtime/Window.h"

namespace terminal {
namespace {

using rt::ControlKind;
constexpr int32_t kKeep = rt::Window::KeepKeyCode;
constexpr int64_t kMostListRows = 100000;  // a row source that answers a huge count must not freeze the window

bool TakesFocus(ControlKind kind) {
  return kind == ControlKind::Entry || kind == ControlKind::Spin || kind == ControlKind::CheckBox ||
         kind == ControlKind::Radio || kind == ControlKind::Button || kind == ControlKind::List ||
         kind == ControlKind::Text;
}

bool Typed(ControlKind kind) { return kind == ControlKind::Entry || kind == ControlKind::Spin; }

ControlKind KindOf(const rt::Window& window, int32_t c) {
  const rt::ControlDef* def = window.Control(c);
  return def ? def->kind : ControlKind::Sheet;
}

std::size_t PlaceOf(const rt::Window& window, int32_t c) {
  const std::vector<rt::ControlDef>& controls = window.Def().controls;
  for (std::size_t i = 0; i < controls.size(); ++i)
    if (controls[i].number == c) return i;
  return controls.size();
}

void AcceptPendingEdit(rt::Window& window, WindowView& view, int32_t except) {
  if (view.pendingEdit == 0 || view.pendingEdit == except) return;
  const int32_t edited = view.pendingEdit;
  view.pendingEdit = 0;
  window.Post(rt::EventControlAccepted, edited, view.lastKey);
}

void FocusTo(rt::Window& window, WindowView& view, int32_t c) {
  if (c == 0 || c == window.Focus()) return;
  AcceptPendingEdit(window, view, c);
  window.MoveFocus(c);
  view.caret[c] = window.Contents(c).size();
  window.Post(rt::EventControlSelected, c, kKeep);
}

void Press(rt::Window& window, const WindowView& view, int32_t c) {
  window.Post(rt::EventControlAccepted, c, view.lastKey);
}

void Choose(rt::Window& window, const WindowView& view, int32_t radio) {
  if (window.ChooseRadio(radio)) window.Post(rt::EventControlAccepted, window.GroupOf(radio), view.lastKey);
}

void Toggle(rt::Window& window, const WindowView& view, int32_t c) {
  if (window.ToggleCheck(c)) window.Post(rt::EventControlAccepted, c, view.lastKey);
}

std::vector<int32_t> RadiosOf(const rt::Window& window, int32_t group) {
  std::vector<int32_t> radios;
  for (const rt::ControlDef& c : window.Def().controls)
    if (c.kind == ControlKind::Radio && group && window.GroupOf(c.number) == group && !window.IsHidden(c.number))
      radios.push_back(c.number);
  return radios;
}

// The radio Tab stops at in a group: the chosen one, else the first.
int32_t GroupStop(const rt::Window& window, int32_t group) {
  const std::vector<int32_t> radios = RadiosOf(window, group);
  for (int32_t r : radios)
    if (window.IsChecked(r)) return r;
  return radios.empty() ? 0 : radios.front();
}

bool MoveWithinGroup(rt::Window& window, WindowView& view, int32_t radio, int step) {
  const std::vector<int32_t> radios = RadiosOf(window, window.GroupOf(radio));
  auto at = std::find(radios.begin(), radios.end(), radio);
  if (at == radios.end()) return false;
  const int count = static_cast<int>(radios.size());
  const int32_t next = radios[static_cast<std::size_t>((static_cast<int>(at - radios.begin()) + step + count) % count)];
  FocusTo(window, view, next);
  Choose(window, view, next);
  return true;
}

bool Alerted(const rt::Window& window, int32_t control, int32_t code) {
  for (int32_t i = 1; i <= 255; ++i)
    if (window.GetProperty(control, rt::PropAlertedKeys, i).Number() == code) return true;
  return false;
}

bool PressDefault(rt::Window& window, WindowView& view) {
  const int32_t focused = window.Focus();
  const ControlKind kind = KindOf(window, focused);
  if (kind == ControlKind::Button && !window.IsHidden(focused)) {
    Press(window, view, focused);
    return true;
  }
  for (const rt::ControlDef& c : window.Def().controls)
    if (c.kind == ControlKind::Button && !window.IsHidden(c.number) &&
        window.GetProperty(c.number, rt::PropDefaultButton, 0).Number() != 0) {
      Press(window, view, c.number);
      return true;
    }
  // Without a default button, Enter accepts the field being edited.
  if (Typed(kind)) {
    view.pendingEdit = 0;
    window.Post(rt::EventControlAccepted, focused, rt::KeyEnter);
    return true;
  }
  return false;
}

// Tab's next stop after the focus (step 1) or before it (-1), round the window.
bool Tab(rt::Window& window, WindowView& view, int step) {
  const std::vector<int32_t> stops = FocusStops(window);
  if (stops.empty()) return false;
  int32_t from = window.Focus();
  if (KindOf(window, from) == ControlKind::Radio && window.GroupOf(from))
    from = GroupStop(window, window.GroupOf(from));
  const std::size_t place = PlaceOf(window, from);
  int32_t next = 0;
  if (step > 0) {
    next = stops.front();
    for (int32_t s : stops)
      if (PlaceOf(window, s) > place) {
        next = s;
        break;
      }
  } else {
    next = stops.back();
    for (auto it = stops.rbegin(); it != stops.rend(); ++it)
      if (PlaceOf(window, *it) < place) {
        next = *it;
        break;
      }
  }
  FocusTo(window, view, next);
  return true;
}

int64_t ListCount(const rt::Window& window, int32_t list) {
  return std::clamp<int64_t>(rt::ToNumber(window.ListCell(list, -1, 0)), 0, kMostListRows);
}

bool SelectRow(rt::Window& window, WindowView& view, int32_t list, int64_t row) {
  const int64_t count = ListCount(window, list);
  if (count == 0) return false;
  row = std::clamp<int64_t>(row, 1, count);
  const ControlCells* cells = view.layout.Find(list);
  const int shown = cells ? std::max(1, ListRows(window, *cells)) : 1;
  int32_t& top = view.listTop[list];
  top = std::clamp<int32_t>(top, 1, static_cast<int32_t>(std::max<int64_t>(1, count)));
  if (row < top) top = static_cast<int32_t>(row);
  if (row >= top + shown) top = static_cast<int32_t>(row - shown + 1);
  if (window.GetProperty(list, rt::PropListSelection, 0).Number() == row) return true;
  window.SetProperty(list, rt::PropListSelection, 0, rt::Value(row));
  window.Post(rt::EventSelectionChanged, list, view.lastKey);
  return true;
}

// Typing in an entry or a spin: `erase` bytes before the caret (negative:
// after it) go, then `text` goes in at the caret.
bool Edit(rt::Window& window, WindowView& view, int32_t c, int erase, std::string_view text) {
  std::string contents = window.Contents(c);
  std::size_t& caret = view.caret[c];
  caret = std::min(caret, contents.size());
  if (erase > 0) {
    if (caret == 0) return false;
    contents.erase(--caret, 1);
  } else if (erase < 0) {
    if (caret >= contents.size()) return false;
    contents.erase(caret, 1);
  }
  contents.insert(caret, text);
  const rt::ControlDef* def = window.Control(c);
  // A spin holds a number its picture takes.
  if (def->kind == ControlKind::Spin && !text.empty() && !rt::PictureAccepts(def->picture, contents)) return false;
  const std::string before = window.Contents(c);
  window.EnterText(c, contents);
  if (window.Contents(c) == before) return false;  // the field is full
  caret = std::min(caret + text.size(), window.Contents(c).size());
  view.pendingEdit = c;
  return true;
}

bool Step(rt::Window& window, WindowView& view, int32_t spin, int direction) {
  const rt::ControlDef* def = window.Control(spin);
  const int64_t value = rt::ToNumber(window.Contents(spin)) + direction * std::max<int32_t>(1, def->increment);
  const std::string text = std::to_string(value);
  if (!rt::PictureAccepts(def->picture, text)) return false;
  window.EnterText(spin, text);
  view.caret[spin] = text.size();
  view.pendingEdit = spin;
  return true;
}

bool AccessKey(rt::Window& window, WindowView& view, char key) {
  const char wanted = static_cast<char>(std::tolower(static_cast<unsigned char>(key)));
  const std::vector<rt::ControlDef>& controls = window.Def().controls;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const rt::ControlDef& c = controls[i];
    if (window.IsHidden(c.number) || rt::AccessKeyOf(window.Text(c.number)) != wanted) continue;
    switch (c.kind) {
      case ControlKind::Button:
        FocusTo(window, view, c.number);
        Press(window, view, c.number);
        return true;
      case ControlKind::Radio:
        FocusTo(window, view, c.number);
        Choose(window, view, c.number);
        return true;
      case ControlKind::CheckBox:
        FocusTo(window, view, c.number);
        Toggle(window, view, c.number);
        return true;
      case ControlKind::OptionGroup:
        FocusTo(window, view, GroupStop(window, c.number));
        return true;
      default:
        if (TakesFocus(c.kind)) {
          FocusTo(window, view, c.number);
          return true;
        }
        // A prompt's or a group's key moves to the control after it.
        for (int32_t s : FocusStops(window))
          if (PlaceOf(window, s) > i) {
            FocusTo(window, view, s);
            return true;
          }
        return false;
    }
  }
  return false;
}

bool MenuKey(rt::Window& window, WindowView& view, Key key) {
  const std::vector<rt::WindowCommand>& commands = window.Def().commands;
  auto choose = [&](std::size_t i) {
    view.menuOpen = false;
    window.Post(rt::EventCommand, 0, commands[i].number);
    return true;
  };
  const std::size_t n = commands.size();
  switch (key.name) {
    case KeyName::Up:
    case KeyName::BackTab:
      view.menuItem = (view.menuItem + n - 1) % n;
      return true;
    case KeyName::Down:
    case KeyName::Tab:
      view.menuItem = (view.menuItem + 1) % n;
      return true;
    case KeyName::Enter:
    case KeyName::Space:
      return choose(view.menuItem);
    case KeyName::Char:
    case KeyName::Alt:
      for (std::size_t i = 0; i < n; ++i)
        if (rt::AccessKeyOf(commands[i].text) == std::tolower(static_cast<unsigned char>(key.ch))) return choose(i);
      return false;
    case KeyName::Escape:
    case KeyName::Interrupt:
    case KeyName::Function:
      view.menuOpen = false;
      return true;
    default:
      return key.name == KeyName::Resize;
  }
}

}  // namespace

std::vector<int32_t> FocusStops(const rt::Window& window) {
  std::vector<int32_t> stops;
  for (const rt::ControlDef& c : window.Def().controls) {
    if (window.IsHidden(c.number) || !TakesFocus(c.kind)) continue;
    if (c.kind == ControlKind::Radio && window.GroupOf(c.number) &&
        GroupStop(window, window.GroupOf(c.number)) != c.number)
      continue;
    stops.push_back(c.number);
  }
  return stops;
}

int ListRows(const rt::Window& window, const ControlCells& list) {
  const rt::ControlDef* def = window.Control(list.number);
  const bool header = def && !rt::ParseListFormat(def->format).empty();
  return std::max(0, list.cells.height - (header ? 1 : 0));
}

int32_t KeyCodeOf(Key key) {
  struct Row {
    KeyName name;
    int32_t code;
  };
  static constexpr Row kCodes[] = {
      {KeyName::Backspace, 8},
      {KeyName::Tab, rt::KeyTab},
      {KeyName::BackTab, rt::KeyTab},
      {KeyName::Enter, rt::KeyEnter},
      {KeyName::Escape, rt::KeyEscape},
      {KeyName::Space, 32},
      {KeyName::PageUp, 33},
      {KeyName::PageDown, 34},
      {KeyName::End, 35},
      {KeyName::Home, 36},
      {KeyName::Left, 37},
      {KeyName::Up, 38},
      {KeyName::Right, 39},
      {KeyName::Down, 40},
      {KeyName::Delete, 46},
  };
  if (key.name == KeyName::Char || key.name == KeyName::Alt) {
    const unsigned char c = static_cast<unsigned char>(key.ch);
    if (c < 128 && std::isalpha(c)) return std::toupper(c);
    if (std::isdigit(c)) return c;
    return c == ' ' ? 32 : 0;
  }
  if (key.name == KeyName::Function) return key.ch >= 1 && key.ch <= 24 ? 111 + key.ch : 0;
  for (const Row& row : kCodes)
    if (row.name == key.name) return row.code;
  return 0;
}

bool WindowKey(rt::Window& window, WindowView& view, Key key) {
  const bool hadStatus = !view.status.empty();
  view.status.clear();
  if (view.menuOpen) return MenuKey(window, view, key) || hadStatus;
  if (const int32_t code = KeyCodeOf(key)) {
    view.lastKey = code;
    if (const int32_t c = window.Focus(); c && Alerted(window, c, code)) {
      window.Post(rt::EventAlertedKey, c, code);
      return true;
    }
    rt::SetKeyCode(code);
  }
  const int32_t focus = window.Focus();
  const ControlKind kind = KindOf(window, focus);
  const bool radio = kind == ControlKind::Radio && window.GroupOf(focus) != 0;
  bool changed = hadStatus;
  switch (key.name) {
    case KeyName::Tab:
      return Tab(window, view, 1) || changed;
    case KeyName::BackTab:
      return Tab(window, view, -1) || changed;
    case KeyName::Enter:
      if (kind == ControlKind::List) window.Post(rt::EventControlAccepted, focus, rt::KeyEnter);
      return PressDefault(window, view) || changed;
    case KeyName::Escape:
    case KeyName::Interrupt:
    case KeyName::Ended:
      // Escape asks to close, as the close box does; the program decides.
      window.Post(rt::EventCloseRequested, 0, rt::KeyEscape);
      return true;
    case KeyName::Space:
      if (kind == ControlKind::Button) Press(window, view, focus);
      if (kind == ControlKind::CheckBox) Toggle(window, view, focus);
      if (kind == ControlKind::Radio) Choose(window, view, focus);
      if (kind == ControlKind::Entry) return Edit(window, view, focus, 0, " ") || changed;
      return true;
    case KeyName::Left:
    case KeyName::Right: {
      const int step = key.name == KeyName::Left ? -1 : 1;
      if (radio) return MoveWithinGroup(window, view, focus, step);
      if (!Typed(kind)) return changed;
      std::size_t& caret = view.caret[focus];
      const std::size_t size = window.Contents(focus).size();
      caret = std::min(caret, size);
      if (step < 0 && caret > 0) --caret;
      if (step > 0 && caret < size) ++caret;
      return true;
    }
    case KeyName::Up:
    case KeyName::Down: {
      const int step = key.name == KeyName::Up ? -1 : 1;
      if (radio) return MoveWithinGroup(window, view, focus, step);
      if (kind == ControlKind::Spin) return Step(window, view, focus, -step) || changed;
      if (kind == ControlKind::List)
        return SelectRow(window, view, focus, window.GetProperty(focus, rt::PropListSelection, 0).Number() + step) ||
               changed;
      if (kind == ControlKind::Text) {
        const int32_t last = static_cast<int32_t>(rt::SplitLineEnds(window.Text(focus)).size()) - 1;
        int32_t& top = view.listTop[focus];
        top = std::clamp(top + step, 0, std::max(0, last));
        return true;
      }
      return changed;
    }
    case KeyName::PageUp:
    case KeyName::PageDown:
    case KeyName::Home:
    case KeyName::End: {
      if (Typed(kind)) {
        if (key.name == KeyName::Home) view.caret[focus] = 0;
        if (key.name == KeyName::End) view.caret[focus] = window.Contents(focus).size();
        return true;
      }
      if (kind != ControlKind::List) return changed;
      const ControlCells* cells = view.layout.Find(focus);
      const int64_t page = cells ? std::max(1, ListRows(window, *cells) - 1) : 1;
      const int64_t row = window.GetProperty(focus, rt::PropListSelection, 0).Number();
      const int64_t to = key.name == KeyName::Home     ? 1
                         : key.name == KeyName::End    ? ListCount(window, focus)
                         : key.name == KeyName::PageUp ? row - page
                                                       : row + page;
      return SelectRow(window, view, focus, to) || changed;
    }
    case KeyName::Backspace:
    case KeyName::Delete:
      return (Typed(kind) && Edit(window, view, focus, key.name == KeyName::Backspace ? 1 : -1, "")) || changed;
    case KeyName::Char:
      // A letter types in a field; elsewhere it is an access key.
      if (Typed(kind)) return Edit(window, view, focus, 0, std::string(1, key.ch)) || changed;
      return AccessKey(window, view, key.ch) || changed;
    case KeyName::Alt:
      return AccessKey(window, view, key.ch) || changed;
    case KeyName::Function:
      if (key.ch == 10 && !window.Def().commands.empty()) {
        view.menuOpen = true;
        view.menuItem = 0;
        return true;
      }
      return changed;
    case KeyName::Resize:
      return true;
    case KeyName::Click:
    case KeyName::None:
      return changed;
  }
  return changed;
}

bool WindowClick(rt::Window& window, WindowView& view, int x, int y) {
  view.status.clear();
  view.lastKey = rt::KeyMouseLeft;
  // The innermost control there: a radio before the group around it.
  const ControlCells* hit = nullptr;
  for (const ControlCells& c : view.layout.controls)
    if (!window.IsHidden(c.number) && c.cells.Contains(x, y) &&
        (!hit || hit->kind == ControlKind::Group || hit->kind == ControlKind::OptionGroup))
      hit = &c;
  if (!hit) return false;
  const int32_t c = hit->number;
  switch (hit->kind) {
    case ControlKind::Button:
      FocusTo(window, view, c);
      Press(window, view, c);
      return true;
    case ControlKind::Radio:
      FocusTo(window, view, c);
      Choose(window, view, c);
      return true;
    case ControlKind::CheckBox:
      FocusTo(window, view, c);
      Toggle(window, view, c);
      return true;
    case ControlKind::Entry:
    case ControlKind::Spin: {
      FocusTo(window, view, c);
      const std::size_t size = window.Contents(c).size();
      const int width = std::max(1, hit->cells.width - (hit->kind == ControlKind::Spin ? 1 : 0));
      const std::size_t scroll = FieldScroll(std::min(view.caret[c], size), width);
      view.caret[c] = std::min(size, scroll + static_cast<std::size_t>(x - hit->cells.x));
      return true;
    }
    case ControlKind::List: {
      FocusTo(window, view, c);
      const int header = hit->cells.height - ListRows(window, *hit);
      const int32_t top = std::max<int32_t>(1, view.listTop[c]);
      if (y - hit->cells.y >= header) SelectRow(window, view, c, top + (y - hit->cells.y - header));
      return true;
    }
    case ControlKind::Text:
      FocusTo(window, view, c);
      return true;
    default:
      return false;
  }
}

std::size_t FieldScroll(std::size_t caret, int width) {
  const std::size_t w = static_cast<std::size_t>(std::max(1, width));
  return caret >= w ? caret - w + 1 : 0;
}

void ApplyFocus(rt::Window& window, WindowView& view, int32_t control) {
  // A hidden control keeps the focus it was given, and shows it when shown.
  if (TakesFocus(KindOf(window, control))) {
    view.caret[control] = window.Contents(control).size();
    return;
  }
  const std::size_t from = PlaceOf(window, control);
  for (int32_t s : FocusStops(window))
    if (PlaceOf(window, s) >= from) {
      window.MoveFocus(s);
      view.caret[s] = window.Contents(s).size();
      return;
    }
}

void WindowCovered(rt::Window& window, WindowView& view) {
  // Nothing typed is lost while the person is in the window on top.
  AcceptPendingEdit(window, view, 0);
  window.Post(rt::EventFocusLost, 0, kKeep);
}

void WindowUncovered(rt::Window& window) { window.Post(rt::EventFocusGained, 0, kKeep); }

}  // namespace terminal
