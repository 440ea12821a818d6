#pragma once
// One control of a window definition. Controls are data: the window machinery
// and every backend read these fields and nothing else.
#include <cstdint>
#include <string>

namespace rt {

// A control's kind. The number is the control's type code, as the
// control-type property reads it.
enum class ControlKind : int32_t {
  Prompt = 1,
  Entry = 2,
  Button = 3,
  OptionGroup = 4,
  Radio = 5,
  CheckBox = 6,
  Group = 7,
  List = 8,
  Spin = 9,
  Image = 10,
  Text = 11,  // a read-only text of many lines that scrolls with the keyboard and the wheel
  Sheet = 37,
};

constexpr int32_t ControlTypeSheet = static_cast<int32_t>(ControlKind::Sheet);

// Data controls hold a value that a variable can be bound to.
constexpr bool IsDataKind(ControlKind kind) {
  return kind == ControlKind::Entry || kind == ControlKind::OptionGroup || kind == ControlKind::Spin ||
         kind == ControlKind::CheckBox;
}

// Kinds a person can move the focus to; an option group takes it at its
// chosen radio.
constexpr bool CanTakeFocus(ControlKind kind) {
  return kind != ControlKind::Prompt && kind != ControlKind::Group && kind != ControlKind::Image &&
         kind != ControlKind::Sheet;
}

struct ControlDef {
  int32_t number = 0;  // explicit, unique within the window, greater than 0
  std::string name;    // "?MESSAGETEXT"
  ControlKind kind = ControlKind::Prompt;
  std::string text;     // caption or prompt text; an image's icon bytes
  std::string picture;  // what an entry or spin may hold: "s128", "n1"
  std::string value;    // a radio's value, as bytes (FF 01 is a valid value)
  int32_t x = 0;        // position and size in dialog units; a size of 0
  int32_t y = 0;        // means the platform's default for the kind
  int32_t width = 0;
  int32_t height = 0;
  bool hidden = false;
  int32_t increment = 1;  // a spin's step
  std::string format;     // a list's column format
};

// A control of the given kind, text and place; the other fields as above.
ControlDef MakeControl(int32_t number, std::string name, ControlKind kind, std::string text, int32_t x, int32_t y,
                       int32_t width = 0, int32_t height = 0);

}  // namespace rt
