#include "backends/terminal/WindowPaint.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "backends/terminal/BoxLayout.h"
#include "backends/terminal/CursesAttr.h"
#include "backends/terminal/TextCells.h"
#include "runtime/BoxRules.h"
#include "runtime/ListFormat.h"
#include "runtime/Property.h"
#include "runtime/Text.h"
#include "runtime/Window.h"

namespace terminal {
namespace {

using rt::ControlKind;

// Draws only inside the terminal's part of the window's client area, so that
// the cut edges keep their cues.
struct Clip {
  int left, top, right, bottom;  // screen cells, right and bottom one past
  bool Holds(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

void PutIn(const Clip& clip, int y, int x, std::string_view text, chtype attr) {
  for (const char32_t character : Characters(text)) {
    const int cells = CharacterCells(character);
    if (cells > 0 && clip.Holds(x, y) && clip.Holds(x + cells - 1, y)) PutCharacter(y, x, character, attr);
    x += cells;
  }
}

void CharIn(const Clip& clip, int y, int x, chtype ch) {
  if (clip.Holds(x, y)) mvaddch(y, x, ch);
}

// A caption without its '&', its access key underlined, cut to `width`.
void Caption(const Clip& clip, int y, int x, int width, const std::string& text, chtype attr) {
  std::string shown = rt::WithoutAccessKeys(text);
  shown.resize(CellBytes(shown, std::max(0, width)));
  PutIn(clip, y, x, shown, attr);
  const std::size_t key = rt::AccessKeyPlace(text);
  if (key < shown.size() && clip.Holds(x + Cells(std::string_view(shown).substr(0, key)), y))
    PutAccessKey(y, x, shown, key, attr);
}

std::string Fit(std::string text, int width, char align) {
  const int w = std::max(0, width), cells = Cells(text);
  if (cells >= w) return text.substr(0, CellBytes(text, w));
  const std::size_t pad = static_cast<std::size_t>(w - cells);
  if (align == 'R' || align == 'D') return std::string(pad, ' ') + text;
  if (align == 'C') return std::string(pad / 2, ' ') + text + std::string(pad - pad / 2, ' ');
  return text + std::string(pad, ' ');
}

void PaintList(const Clip& clip, const rt::Window& window, const WindowView& view, const ControlCells& c, int x, int y,
               bool focused) {
  const chtype plain = Attr(PairField, A_NORMAL);
  const rt::ControlDef* def = window.Control(c.number);
  std::vector<rt::ListColumn> columns = rt::ParseListFormat(def->format);
  const bool header = !columns.empty();
  if (columns.empty())
    columns.resize(
        static_cast<std::size_t>(std::clamp<int64_t>(rt::ToNumber(window.ListCell(c.number, -2, 0)), 1, 64)));
  // Each column its width in cells; the last takes the rest.
  std::vector<int> widths;
  int used = 0;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    const int w = i + 1 == columns.size() ? std::max(1, c.cells.width - used)
                  : columns[i].width > 0  ? std::max(1, columns[i].width / 4)
                                          : std::max(1, c.cells.width / static_cast<int>(columns.size()));
    widths.push_back(w);
    used += w;
  }
  auto row = [&](int at, auto cell, chtype attr) {
    std::string line;
    for (std::size_t i = 0; i < columns.size(); ++i)
      line +=
          Fit(cell(i), widths[i] - (i + 1 < columns.size()), columns[i].align) + (i + 1 < columns.size() ? " " : "");
    PutIn(clip, at, x, Fit(line, c.cells.width, 'L'), attr);
  };
  if (header)
    row(
        y, [&](std::size_t i) { return columns[i].header; }, plain | A_BOLD | A_UNDERLINE);
  const int shown = ListRows(window, c);
  const int64_t count = std::clamp<int64_t>(rt::ToNumber(window.ListCell(c.number, -1, 0)), 0, 100000);
  const int64_t selected = window.GetProperty(c.number, rt::PropListSelection, 0).Number();
  auto top = view.listTop.find(c.number);
  const int64_t first = top == view.listTop.end() ? 1 : std::max<int32_t>(1, top->second);
  for (int i = 0; i < shown; ++i) {
    const int64_t r = first + i;
    const int at = y + (header ? 1 : 0) + i;
    if (r > count) {
      PutIn(clip, at, x, std::string(static_cast<std::size_t>(c.cells.width), ' '), plain);
      continue;
    }
    const chtype attr = r == selected ? (focused ? Attr(PairFocus, A_REVERSE) : plain | A_REVERSE) : plain;
    row(
        at,
        [&](std::size_t col) {
          return window.ListCell(c.number, static_cast<int32_t>(r), static_cast<int32_t>(col + 1));
        },
        attr);
  }
}

}  // namespace

int CloseBoxX(const WindowPlace& place) { return place.x + place.width - 4; }

void PaintWindow(const rt::Window& window, const WindowView& view, const WindowPlace& place, bool active,
                 bool lineDrawing) {
  const chtype plain = Attr(PairBox, A_NORMAL) | (active ? 0 : A_DIM);
  const chtype focusAttr = Attr(PairFocus, A_REVERSE) | A_BOLD;
  const chtype fieldAttr = Attr(PairField, A_UNDERLINE);
  Frame(place.x, place.y, place.width, place.height, plain, plain, lineDrawing);
  const int columns = COLS, rows = LINES;
  // Where the window runs off the terminal, its edge shows arrows.
  if (place.cutLeft)
    for (int y = std::max(0, place.y); y < std::min(rows, place.y + place.height); ++y)
      mvaddch(y, 0, '<' | plain | A_BOLD);
  if (place.cutRight)
    for (int y = std::max(0, place.y); y < std::min(rows, place.y + place.height); ++y)
      mvaddch(y, columns - 1, '>' | plain | A_BOLD);
  if (place.cutTop)
    for (int x = std::max(0, place.x); x < std::min(columns, place.x + place.width); ++x)
      mvaddch(0, x, '^' | plain | A_BOLD);
  if (place.cutBottom)
    for (int x = std::max(0, place.x); x < std::min(columns, place.x + place.width); ++x)
      mvaddch(rows - 1, x, 'v' | plain | A_BOLD);
  const Clip clip{std::max(place.ClientX(), place.cutLeft ? 1 : 0), std::max(place.ClientY(), place.cutTop ? 1 : 0),
                  std::min(place.x + place.width - 1, place.cutRight ? columns - 1 : columns),
                  std::min(place.y + place.height - 1, place.cutBottom ? rows - 1 : rows)};
  const Clip frameRow{std::max(0, place.x), 0, std::min(columns, place.x + place.width - 1), rows};
  const std::string title = window.Title();
  if (!title.empty())
    PutIn(frameRow, place.y, place.x + 2,
          " " + title.substr(0, static_cast<std::size_t>(std::max(0, place.width - 10))) + " ", plain | A_BOLD);
  PutIn(frameRow, place.y, CloseBoxX(place), "[x]", plain);
  const int bottom = place.y + place.height - 1;
  if (!view.status.empty())
    PutIn(frameRow, bottom, place.x + 2,
          " " + view.status.substr(0, static_cast<std::size_t>(std::max(0, place.width - 6))) + " ", plain | A_BOLD);
  else if (!window.Def().commands.empty() && active)
    PutIn(frameRow, bottom, place.x + place.width - 12, " F10 menu ", plain);

  int cursorX = -1, cursorY = -1;
  const int32_t focus = window.Focus();
  for (const ControlCells& c : view.layout.controls) {
    if (window.IsHidden(c.number)) continue;
    const int x = place.ClientX() + c.cells.x, y = place.ClientY() + c.cells.y;
    const bool focused = active && c.number == focus;
    const chtype attr = focused ? focusAttr : plain;
    const std::string text = window.Text(c.number);
    switch (c.kind) {
      case ControlKind::Prompt:
        Caption(clip, y, x, c.cells.width, text, plain);
        break;
      case ControlKind::Group:
      case ControlKind::OptionGroup: {
        // Drawn within the clip: a frame whose corners fall off is left open.
        const chtype h = lineDrawing ? ACS_HLINE : '-', v = lineDrawing ? ACS_VLINE : '|';
        const int right = x + c.cells.width - 1, low = y + c.cells.height - 1;
        for (int i = x + 1; i < right; ++i) {
          CharIn(clip, y, i, h | plain);
          CharIn(clip, low, i, h | plain);
        }
        for (int j = y + 1; j < low; ++j) {
          CharIn(clip, j, x, v | plain);
          CharIn(clip, j, right, v | plain);
        }
        CharIn(clip, y, x, (lineDrawing ? ACS_ULCORNER : '+') | plain);
        CharIn(clip, y, right, (lineDrawing ? ACS_URCORNER : '+') | plain);
        CharIn(clip, low, x, (lineDrawing ? ACS_LLCORNER : '+') | plain);
        CharIn(clip, low, right, (lineDrawing ? ACS_LRCORNER : '+') | plain);
        if (!rt::WithoutAccessKeys(text).empty()) {
          PutIn(clip, y, x + 1, " ", plain);
          Caption(clip, y, x + 2, c.cells.width - 4, text, plain);
          PutIn(clip, y, x + 2 + std::min<int>(c.cells.width - 4, static_cast<int>(rt::WithoutAccessKeys(text).size())),
                " ", plain);
        }
        break;
      }
      case ControlKind::Radio:
      case ControlKind::CheckBox: {
        const bool on =
            c.kind == ControlKind::Radio ? window.IsChecked(c.number) : rt::ToNumber(window.Contents(c.number)) != 0;
        const std::string mark = c.kind == ControlKind::Radio ? (on ? "(*) " : "( ) ") : (on ? "[x] " : "[ ] ");
        PutIn(clip, y, x, mark.substr(0, static_cast<std::size_t>(std::max(0, c.cells.width))), attr);
        Caption(clip, y, x + 4, c.cells.width - 4, text, attr);
        if (focused) cursorX = x + 1, cursorY = y;
        break;
      }
      case ControlKind::Button: {
        const bool isDefault = window.GetProperty(c.number, rt::PropDefaultButton, 0).Number() != 0;
        std::string label = ButtonLabel(text, isDefault);
        const int pad = std::max(0, (c.cells.width - static_cast<int>(label.size())) / 2);
        label = Fit(std::string(static_cast<std::size_t>(pad), ' ') + label, c.cells.width, 'L');
        PutIn(clip, y, x, label, attr | (focused ? A_BOLD : 0));
        const std::size_t key = rt::AccessKeyPlace(text);
        const std::size_t at = static_cast<std::size_t>(pad) + 2 + key;
        if (key != std::string_view::npos && at < label.size())
          CharIn(clip, y, x + static_cast<int>(at), static_cast<unsigned char>(label[at]) | attr | A_UNDERLINE);
        if (focused) cursorX = x + pad + 2, cursorY = y;
        break;
      }
      case ControlKind::Entry:
      case ControlKind::Spin: {
        const bool spin = c.kind == ControlKind::Spin;
        const int width = std::max(1, c.cells.width - (spin ? 1 : 0));
        const std::string contents = window.Contents(c.number);
        auto it = view.caret.find(c.number);
        const std::size_t caret = std::min(it == view.caret.end() ? contents.size() : it->second, contents.size());
        const std::size_t scroll = FieldScroll(caret, width);
        PutIn(clip, y, x, Fit(contents.substr(std::min(scroll, contents.size())), width, 'L'),
              focused ? Attr(PairFocus, A_REVERSE) : fieldAttr);
        if (spin) CharIn(clip, y, x + width, (lineDrawing ? ACS_PLMINUS : '+') | plain);
        if (focused) cursorX = x + static_cast<int>(caret - scroll), cursorY = y;
        break;
      }
      case ControlKind::List:
        PaintList(clip, window, view, c, x, y, focused);
        if (focused) cursorX = x, cursorY = y;
        break;
      case ControlKind::Image: {
        const std::string sign = IconSign(rt::Clip(text));
        PutIn(clip, y + (c.cells.height - 1) / 2, x + std::max(0, (c.cells.width - static_cast<int>(sign.size())) / 2),
              sign, Attr(PairIcon, A_NORMAL) | A_BOLD);
        break;
      }
      case ControlKind::Text: {
        const std::vector<std::string> lines = rt::SplitLineEnds(text);
        auto top = view.listTop.find(c.number);
        const std::size_t first = top == view.listTop.end() ? 0 : static_cast<std::size_t>(std::max(0, top->second));
        for (int i = 0; i < c.cells.height && first + static_cast<std::size_t>(i) < lines.size(); ++i)
          PutIn(clip, y + i, x, Fit(lines[first + static_cast<std::size_t>(i)], c.cells.width, 'L'), plain);
        if (focused) cursorX = x, cursorY = y;
        break;
      }
      case ControlKind::Sheet:
        break;
    }
  }
  if (view.menuOpen) {
    // The window's commands, listed under its title.
    const std::vector<rt::WindowCommand>& commands = window.Def().commands;
    int width = 0;
    for (const rt::WindowCommand& command : commands)
      width = std::max(width, static_cast<int>(rt::WithoutAccessKeys(command.text).size()));
    width += 4;
    const int mx = std::max(0, std::min(place.x + 2, columns - width - 2)), my = std::max(0, place.y + 1);
    Frame(mx, my, width + 2, static_cast<int>(commands.size()) + 2, plain | A_BOLD, plain, lineDrawing);
    const Clip screen{0, 0, columns, rows};
    for (std::size_t i = 0; i < commands.size(); ++i) {
      const chtype a = i == view.menuItem ? focusAttr : plain;
      const int at = my + 1 + static_cast<int>(i);
      PutIn(screen, at, mx + 1, std::string(static_cast<std::size_t>(width), ' '), a);
      Caption(screen, at, mx + 2, width - 2, commands[i].text, a);
      if (i == view.menuItem) cursorX = mx + 2, cursorY = at;
    }
  }
  // The cursor stands on what has the focus, where a screen reader looks.
  if (active && cursorX >= 0 && cursorX < columns && cursorY >= 0 && cursorY < rows) {
    move(cursorY, cursorX);
    curs_set(1);
  } else if (active) {
    curs_set(0);
  }
}

}  // namespace terminal
