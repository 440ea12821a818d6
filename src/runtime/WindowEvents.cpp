// A window's event queue, its select-all validation pass and its event
// callbacks.
#include <algorithm>

#include "runtime/Backend.h"
#include "runtime/EventLoop.h"
#include "runtime/Events.h"
#include "runtime/Window.h"

namespace rt {

void Window::Post(int32_t event, int32_t control, int32_t keyCode) {
  if (open_) queue_.push_back({event, control, keyCode});
}

void Window::SetTimer(int32_t milliseconds) {
  if (!open_) return;
  timer_ = std::max(0, milliseconds);
  CurrentBackend().TimerChanged(*this);
}

void Window::MarkOpen(bool open) {
  open_ = open;
  timer_ = 0;
  if (open) {
    // Each opening makes the window anew from its definition: what the
    // program set on its controls during an earlier opening (texts, hidden
    // buttons, a default button) does not carry over. The contents come from
    // the bound variables.
    title_ = def_.caption;
    properties_.clear();
    for (std::size_t i = 0; i < def_.controls.size(); ++i) {
      controls_[i].text = def_.controls[i].text;
      controls_[i].spokenCaption.clear();
      controls_[i].description.clear();
      controls_[i].hidden = def_.controls[i].hidden;
      controls_[i].properties.clear();
    }
  }
  if (!open) {
    queue_.clear();
    pass_ = {};
  }
}

void Window::RegisterCallback(int32_t event, EventCallback fn, void* object) {
  for (const Callback& c : callbacks_)
    if (c.event == event && c.fn == fn && c.object == object) return;
  callbacks_.push_back({event, fn, object});
}

void Window::UnregisterCallback(int32_t event, EventCallback fn, void* object) {
  std::erase_if(callbacks_, [&](const Callback& c) { return c.event == event && c.fn == fn && c.object == object; });
}

bool Window::RunCallbacks(int32_t event) {
  // A copy, because a callback may register or unregister callbacks.
  std::vector<Callback> due;
  for (const Callback& c : callbacks_)
    if (c.event == event) due.push_back(c);
  for (const Callback& c : due)
    if (c.fn(c.object) != 0) return true;
  return false;
}

// The pass accepts each visible data control in definition order, so that the
// program's handlers see every field; a control whose contents break its
// picture ends it with a rejection. The select that stops the pass is in
// Window::Select.
bool Window::NextPassEvent(QueuedEvent& e) {
  std::vector<int32_t> order = DataControls();
  while (pass_.next < order.size()) {
    int32_t c = order[pass_.next++];
    if (IsHidden(c)) continue;
    if (!ContentsValid(c)) {
      pass_.active = false;
      Select(c);
      e = {EventInputRejected, c, KeepKeyCode};
      return true;
    }
    e = {EventControlAccepted, c, KeepKeyCode};
    return true;
  }
  pass_.active = false;
  e = {EventFormCompleted, 0, KeepKeyCode};
  return true;
}

bool Window::NextEvent() {
  for (;;) {
    if (!open_) {
      current_ = {};
      return false;
    }
    QueuedEvent e{};
    if (!queue_.empty()) {
      e = queue_.front();
      queue_.pop_front();
    } else if (pass_.active) {
      NextPassEvent(e);
    } else {
      CurrentBackend().WaitForEvent(*this);
      continue;
    }
    if (e.keyCode != KeepKeyCode) SetKeyCode(e.keyCode);
    int32_t accepted = 0;
    if (e.event == EventControlAccepted) {
      // An accepted data control stores its contents in its variable, unless
      // they break its picture: then the input is rejected instead.
      const ControlDef* d = Control(e.control);
      if (d && IsDataKind(d->kind) && !ContentsValid(e.control)) {
        e.event = EventInputRejected;
      } else {
        accepted = e.control;
        Update(e.control);
      }
    }
    current_ = {e.event, e.control, accepted};
    if (RunCallbacks(e.event)) continue;
    return true;
  }
}

}  // namespace rt
