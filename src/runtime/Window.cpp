#include "runtime/Window.h"

#include <algorithm>

#include "runtime/Address.h"
#include "runtime/Backend.h"
#include "runtime/ListFormat.h"
#include "runtime/Picture.h"
#include "runtime/Text.h"

namespace rt {
namespace {

bool IsOn(std::string_view contents) { return ToNumber(contents) != 0; }

}  // namespace

Window::Window(const WindowDef& def, std::vector<Binding> bindings)
    : def_(def), bindings_(std::move(bindings)), controls_(def_.controls.size()), title_(def_.caption) {
  std::size_t nextBinding = 0;
  int32_t group = 0;
  for (std::size_t i = 0; i < def_.controls.size(); ++i) {
    const ControlDef& d = def_.controls[i];
    ControlState& s = controls_[i];
    s.text = d.text;
    s.hidden = d.hidden;
    if (d.kind == ControlKind::CheckBox) s.contents = "0";
    if (IsDataKind(d.kind) && nextBinding < bindings_.size()) s.binding = static_cast<int>(nextBinding++);
    // A group's radios follow it in the definition.
    if (d.kind == ControlKind::OptionGroup)
      group = d.number;
    else if (d.kind == ControlKind::Radio)
      s.group = group;
    else
      group = 0;
  }
}

Window::ControlState* Window::State(int32_t c) {
  for (std::size_t i = 0; i < def_.controls.size(); ++i)
    if (def_.controls[i].number == c) return &controls_[i];
  return nullptr;
}

const Window::ControlState* Window::State(int32_t c) const { return const_cast<Window*>(this)->State(c); }

const ControlDef* Window::Control(int32_t c) const { return def_.Find(c); }

std::vector<int32_t> Window::DataControls() const {
  std::vector<int32_t> out;
  for (const ControlDef& d : def_.controls)
    if (IsDataKind(d.kind)) out.push_back(d.number);
  return out;
}

bool Window::IsHidden(int32_t c) const {
  const ControlState* s = State(c);
  return s && s->hidden;
}

std::string Window::Text(int32_t c) const {
  const ControlState* s = State(c);
  return s ? s->text : std::string();
}

std::string Window::SpokenCaption(int32_t c) const {
  const ControlState* s = State(c);
  return !s ? std::string() : s->spokenCaption.empty() ? s->text : s->spokenCaption;
}

std::vector<int32_t> Window::BoxLines() const {
  std::vector<int32_t> lines;
  if (box_)
    for (const ControlDef& c : Def().controls)
      if (c.kind == ControlKind::Prompt) lines.push_back(c.number);
  return lines;
}

std::string Window::Description(int32_t c) const {
  const ControlState* s = State(c);
  return s ? s->description : std::string();
}

void Window::SetSpokenCaption(int32_t c, std::string caption) {
  if (ControlState* s = State(c)) {
    s->spokenCaption = std::move(caption);
    Changed(c);
  }
}

void Window::SetDescription(int32_t c, std::string description) {
  if (ControlState* s = State(c)) {
    s->description = std::move(description);
    Changed(c);
  }
}

std::string Window::Contents(int32_t c) const {
  const ControlState* s = State(c);
  return s ? s->contents : std::string();
}

int32_t Window::GroupOf(int32_t radio) const {
  const ControlState* s = State(radio);
  return s ? s->group : 0;
}

bool Window::IsChecked(int32_t radio) const {
  const ControlDef* d = Control(radio);
  int32_t group = GroupOf(radio);
  return d && d->kind == ControlKind::Radio && group && Clip(Contents(group)) == Clip(d->value);
}

bool Window::ContentsValid(int32_t c) const {
  const ControlDef* d = Control(c);
  if (!d || (d->kind != ControlKind::Entry && d->kind != ControlKind::Spin)) return true;
  return PictureAccepts(d->picture, Contents(c));
}

void Window::Changed(int32_t c) {
  if (open_) CurrentBackend().ControlChanged(*this, c);
}

bool Window::EnterText(int32_t c, std::string_view text) {
  const ControlDef* d = Control(c);
  if (!d || (d->kind != ControlKind::Entry && d->kind != ControlKind::Spin)) return false;
  std::size_t limit = PictureTextLimit(d->picture);
  State(c)->contents = std::string(limit ? text.substr(0, FitBytes(text, limit)) : text);
  return true;
}

bool Window::ChooseRadio(int32_t radio) {
  const ControlDef* d = Control(radio);
  int32_t group = GroupOf(radio);
  if (!d || d->kind != ControlKind::Radio || !group) return false;
  State(group)->contents = d->value;
  return true;
}

bool Window::ToggleCheck(int32_t c) {
  const ControlDef* d = Control(c);
  if (!d || d->kind != ControlKind::CheckBox) return false;
  ControlState* s = State(c);
  s->contents = IsOn(s->contents) ? "0" : "1";
  return true;
}

void Window::MoveFocus(int32_t c) {
  if (State(c)) focus_ = c;
}

void Window::Display(int32_t c) {
  if (c == 0) {
    for (const ControlDef& d : def_.controls)
      if (IsDataKind(d.kind)) Display(d.number);
    return;
  }
  if (const ControlState* s = State(c); s && s->group) c = s->group;  // a radio shows its group
  ControlState* s = State(c);
  if (!s) return;
  if (s->binding >= 0) {
    std::string value = bindings_[s->binding].Read();
    if (Control(c)->kind == ControlKind::CheckBox) value = IsOn(value) ? "1" : "0";
    s->contents = value;
  }
  Changed(c);
}

void Window::Update(int32_t c) {
  if (c == 0) {
    for (const ControlDef& d : def_.controls)
      if (IsDataKind(d.kind)) Update(d.number);
    return;
  }
  if (const ControlState* s = State(c); s && s->group) c = s->group;
  const ControlState* s = State(c);
  if (!s || s->binding < 0 || !ContentsValid(c)) return;
  bindings_[s->binding].Write(s->contents);
}

int32_t Window::FocusTarget(int32_t c) const {
  // A prompt takes no focus: selecting it hands the focus on to the next
  // control that can take it, as a dialog does for a label's access key.
  const std::vector<ControlDef>& controls = def_.controls;
  auto at = std::find_if(controls.begin(), controls.end(), [c](const ControlDef& d) { return d.number == c; });
  if (at == controls.end() || at->kind != ControlKind::Prompt) return c;
  for (auto next = at + 1; next != controls.end(); ++next)
    if (CanTakeFocus(next->kind) && !IsHidden(next->number)) return next->number;
  return c;
}

void Window::Select(int32_t c) {
  if (c == 0) {
    pass_ = {true, 0};
    return;
  }
  if (!State(c)) return;
  pass_.active = false;  // a selection during the pass stops it
  focus_ = FocusTarget(c);
  if (open_) CurrentBackend().FocusChanged(*this, focus_);
}

Value Window::GetProperty(int32_t c, int32_t property, int32_t index) const {
  if (c == 0) {
    if (index == 0) {
      if (property == PropText) return Value(title_);
      if (property == PropHandle) return Value(static_cast<int64_t>(open_ ? CurrentBackend().NativeHandle(*this) : 0));
      if (property == PropValidationPass) return Value(pass_.active ? 1 : 0);
    }
    auto it = properties_.find({property, index});
    return it == properties_.end() ? Value() : it->second;
  }
  const ControlState* s = State(c);
  if (!s) return Value();
  if (index == 0) {
    if (property == PropText) return Value(s->text);
    if (property == PropControlType) return Value(static_cast<int32_t>(Control(c)->kind));
    if (property == PropHide) return Value(s->hidden ? 1 : 0);
    if (property == PropListColumnCount) return Value(static_cast<int64_t>(ParseListFormat(Control(c)->format).size()));
  }
  auto it = s->properties.find({property, index});
  return it == s->properties.end() ? Value() : it->second;
}

void Window::SetProperty(int32_t c, int32_t property, int32_t index, const Value& value) {
  if (c == 0) {
    if (index == 0 && property == PropText) {
      title_ = value.Text();
    } else if (index == 0 && (property == PropHandle || property == PropValidationPass)) {
      return;  // these are the runtime's to say
    } else {
      properties_[{property, index}] = value;
    }
    Changed(0);
    return;
  }
  ControlState* s = State(c);
  if (!s) return;
  if (index == 0 && property == PropText) {
    s->text = value.Text();
  } else if (index == 0 && property == PropHide) {
    s->hidden = value.Number() != 0;
  } else if (index == 0 && (property == PropControlType || property == PropListColumnCount)) {
    return;  // they follow from the definition
  } else {
    s->properties[{property, index}] = value;
  }
  Changed(c);
}

std::string Window::ListCell(int32_t c, int32_t row, int32_t column) const {
  int64_t callback = GetProperty(c, PropListRowCallback, 0).Number();
  if (callback == 0) return {};
  void* source = PointerFromNumber<void*>(GetProperty(c, PropListRowSource, 0).Number());
  return PointerFromNumber<ListRowCallback>(callback)(source, row, column);
}

}  // namespace rt
