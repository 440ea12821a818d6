#include "backends/terminal/WindowLayout.h"

#include <algorithm>

#include "runtime/BoxRules.h"
#include "runtime/CharacterCells.h"

namespace terminal {
namespace {

using rt::ControlKind;

constexpr int kNarrowest = 3;  // cells a fixed-width control keeps when a caption takes its first ones

// The cells a span of dialog units reaches into.
int FirstCell(int32_t units, int32_t per) { return units >= 0 ? units / per : -((-units + per - 1) / per); }
int Span(int32_t from, int32_t size, int32_t per) {
  if (size <= 0) return 0;
  return FirstCell(from + size - 1, per) - FirstCell(from, per) + 1;
}

int CaptionWidth(ControlKind kind, const std::string& text) {
  const int shown = static_cast<int>(rt::WithoutAccessKeys(text).size());
  if (kind == ControlKind::Button) return shown + 4;  // "[ OK ]", the default "[[OK]]"
  return static_cast<int>(std::char_traits<char>::length(CaptionMark(kind))) + shown;
}

bool SizedByText(const rt::ControlDef& c) { return c.width <= 0 && OneRowKind(c.kind); }

}  // namespace

const ControlCells* WindowLayout::Find(int32_t number) const {
  for (const ControlCells& c : controls)
    if (c.number == number) return &c;
  return nullptr;
}

bool OneRowKind(ControlKind kind) {
  return kind == ControlKind::Prompt || kind == ControlKind::Entry || kind == ControlKind::Spin ||
         kind == ControlKind::Button || kind == ControlKind::Radio || kind == ControlKind::CheckBox;
}

const char* CaptionMark(ControlKind kind) {
  if (kind == ControlKind::Radio) return "( ) ";
  if (kind == ControlKind::CheckBox) return "[ ] ";
  return "";
}

WindowLayout LayOutWindow(const rt::WindowDef& def, const TextOf& textOf) {
  WindowLayout layout;
  layout.width = std::max(1, rt::CellsX(def.width));
  layout.height = std::max(1, rt::CellsY(def.height));
  for (const rt::ControlDef& c : def.controls) {
    ControlCells& cells = layout.controls.emplace_back();
    cells.number = c.number;
    cells.kind = c.kind;
    CellRect& r = cells.cells;
    r.x = FirstCell(c.x, rt::kUnitsPerCellX);
    r.y = FirstCell(c.y, rt::kUnitsPerCellY);
    if (OneRowKind(c.kind)) {
      r.height = 1;
      r.width =
          c.width > 0 ? Span(c.x, c.width, rt::kUnitsPerCellX) : CaptionWidth(c.kind, textOf ? textOf(c) : c.text);
      if (c.kind == ControlKind::Entry && c.width <= 0) r.width = 10;
    } else {
      r.width = std::max(1, Span(c.x, c.width, rt::kUnitsPerCellX));
      r.height = std::max(c.kind == ControlKind::Group || c.kind == ControlKind::OptionGroup ? 2 : 1,
                          Span(c.y, c.height, rt::kUnitsPerCellY));
    }
  }
  // A caption that runs into the next control on its row.
  for (std::size_t i = 0; i < layout.controls.size(); ++i) {
    if (!SizedByText(def.controls[i])) continue;
    CellRect& r = layout.controls[i].cells;
    for (std::size_t j = 0; j < layout.controls.size(); ++j) {
      CellRect& o = layout.controls[j].cells;
      // A blank cell between them, where the desktop has a few pixels.
      const int taken = r.Right() + 1 - o.x;
      if (j == i || !OneRowKind(def.controls[j].kind) || o.y != r.y || o.x < r.x || taken <= 0) continue;
      if (!SizedByText(def.controls[j]) && o.width - taken >= kNarrowest) {
        o.x += taken;
        o.width -= taken;
      } else {
        r.width = std::max(0, o.x - 1 - r.x);
      }
    }
    r.width = std::max(0, std::min(r.width, layout.width - r.x));
  }
  return layout;
}

WindowPlace PlaceWindow(const WindowLayout& layout, int columns, int rows, const CellRect& keep) {
  WindowPlace p;
  p.width = layout.width + 2;
  p.height = layout.height + 2;
  // One axis: centred where it fits, else from the start, moved back so that
  // [keepFrom, keepTo) of the frame shows inside the cue cells at the edges.
  auto place = [](int size, int room, int keepFrom, int keepTo, int& at, bool& cutStart, bool& cutEnd) {
    if (size <= room) {
      at = (room - size) / 2;
      return;
    }
    at = 0;
    if (keepTo > room - 1) at = room - 1 - keepTo;
    if (keepFrom + at < 1) at = 1 - keepFrom;
    at = std::clamp(at, room - size, 0);
    cutStart = at < 0;
    cutEnd = at + size > room;
  };
  const bool keeps = keep.width > 0 && keep.height > 0;
  place(p.width, std::max(columns, 1), keeps ? keep.x + 1 : 0, keeps ? keep.Right() + 1 : 0, p.x, p.cutLeft,
        p.cutRight);
  place(p.height, std::max(rows, 1), keeps ? keep.y + 1 : 0, keeps ? keep.Bottom() + 1 : 0, p.y, p.cutTop, p.cutBottom);
  return p;
}

}  // namespace terminal
