#include "backends/headless/UserScript.h"

#include "backends/headless/HeadlessState.h"
#include "runtime/BoxRules.h"

namespace headless {
namespace {

UserScript& Add(UserScript& script, Step step) {
  State& s = Shared();
  std::lock_guard<std::recursive_mutex> hold(s.lock);
  s.steps.push_back(std::move(step));
  return script;
}

}  // namespace

std::string ButtonName(int32_t value) {
  switch (value) {
    case 1:
      return "OK";
    case 2:
      return "YES";
    case 4:
      return "NO";
    case 8:
      return "ABORT";
    case 16:
      return "RETRY";
    case 32:
      return "IGNORE";
    case 64:
      return "CANCEL";
    case 128:
      return "HELP";
  }
  return std::to_string(value);
}

bool CaptionReads(const std::string& caption, const std::string& label) {
  return rt::WithoutAccessKeys(caption) == label;
}

std::string Quote(const std::string& text) {
  std::string shown = text.size() > 60 ? text.substr(0, 60) + "..." : text;
  return "'" + shown + "'";
}

std::string Step::Describe() const {
  std::string c = std::to_string(control);
  switch (kind) {
    case Kind::Type:
      return "type " + Quote(text) + " into control " + c;
    case Kind::SetSpin:
      return "set spin " + c + " to " + std::to_string(value);
    case Kind::Choose:
      return "choose radio " + c;
    case Kind::Toggle:
      return "toggle check box " + c;
    case Kind::Press:
      return "press control " + c;
    case Kind::PressKeepingFocus:
      return "press control " + c + " by its access key";
    case Kind::PressKey:
      return "press key " + std::to_string(value) + " on control " + c;
    case Kind::CloseWindow:
      return "close the window";
    case Kind::Run:
      return "run a test function";
    case Kind::PostEvent:
      return "post event " + std::to_string(value) + " for control " + c;
    case Kind::AnswerBox:
      return "answer the message box with " + ButtonName(value);
    case Kind::AnswerNative:
      return "answer the native message box with result " + std::to_string(value);
    case Kind::CloseBox:
      return "close the message box";
    case Kind::EscapeBox:
      return "press Escape in the message box";
    case Kind::TickBox:
      return "tick the message box's check box";
    case Kind::PressBoxCaption:
      return text.empty() ? std::string("press Enter in the message box")
                          : "press the message box's button " + Quote(text);
    case Kind::Wait:
      return "wait " + std::to_string(value) + " ms";
    case Kind::ChooseCommand:
      return "choose command " + std::to_string(value);
    case Kind::PressShortcut:
      return "press " + text;
  }
  return "?";
}

UserScript& UserScript::Type(int32_t control, std::string text) {
  return Add(*this, {Step::Kind::Type, control, 0, std::move(text), {}});
}
UserScript& UserScript::SetSpin(int32_t spin, int32_t value) {
  return Add(*this, {Step::Kind::SetSpin, spin, value, {}, {}});
}
UserScript& UserScript::Choose(int32_t radio) { return Add(*this, {Step::Kind::Choose, radio, 0, {}, {}}); }
UserScript& UserScript::Toggle(int32_t checkBox) { return Add(*this, {Step::Kind::Toggle, checkBox, 0, {}, {}}); }
UserScript& UserScript::Press(int32_t button) { return Add(*this, {Step::Kind::Press, button, 0, {}, {}}); }
UserScript& UserScript::PressKeepingFocus(int32_t button) {
  return Add(*this, {Step::Kind::PressKeepingFocus, button, 0, {}, {}});
}
UserScript& UserScript::PressKey(int32_t control, int32_t keyCode) {
  return Add(*this, {Step::Kind::PressKey, control, keyCode, {}, {}});
}
UserScript& UserScript::CloseWindow() { return Add(*this, {Step::Kind::CloseWindow, 0, 0, {}, {}}); }
UserScript& UserScript::Run(std::function<void()> fn) { return Add(*this, {Step::Kind::Run, 0, 0, {}, std::move(fn)}); }
UserScript& UserScript::PostEvent(int32_t event, int32_t control) {
  return Add(*this, {Step::Kind::PostEvent, control, event, {}, {}});
}
UserScript& UserScript::AnswerBox(int32_t buttonSetValue) {
  return Add(*this, {Step::Kind::AnswerBox, 0, buttonSetValue, {}, {}});
}
UserScript& UserScript::AnswerNative(int32_t result) {
  return Add(*this, {Step::Kind::AnswerNative, 0, result, {}, {}});
}
UserScript& UserScript::CloseBox() { return Add(*this, {Step::Kind::CloseBox, 0, 0, {}, {}}); }
UserScript& UserScript::EscapeBox() { return Add(*this, {Step::Kind::EscapeBox, 0, 0, {}, {}}); }
UserScript& UserScript::TickBox() { return Add(*this, {Step::Kind::TickBox, 0, 0, {}, {}}); }
UserScript& UserScript::PressBoxButton(std::string caption) {
  return Add(*this, {Step::Kind::PressBoxCaption, 0, 0, std::move(caption), {}});
}
UserScript& UserScript::ChooseCommand(int32_t number) {
  return Add(*this, {Step::Kind::ChooseCommand, 0, number, {}, {}});
}
UserScript& UserScript::PressShortcut(std::string shortcut) {
  return Add(*this, {Step::Kind::PressShortcut, 0, 0, std::move(shortcut), {}});
}
UserScript& UserScript::Wait(int32_t milliseconds) { return Add(*this, {Step::Kind::Wait, 0, milliseconds, {}, {}}); }

std::vector<std::string> UserScript::Remaining() const {
  State& s = Shared();
  std::lock_guard<std::recursive_mutex> hold(s.lock);
  std::vector<std::string> out;
  for (const Step& step : s.steps) out.push_back(step.Describe());
  return out;
}

void UserScript::Clear() {
  State& s = Shared();
  std::lock_guard<std::recursive_mutex> hold(s.lock);
  s.steps.clear();
}

UserScript& User() {
  static UserScript script;
  return script;
}

}  // namespace headless
