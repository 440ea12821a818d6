// Event dispatch: every event of a window reaches the window-level handler,
// the handler of its kind, the field handler and the registered components,
// and the window is refreshed when a component asks for it.
#include "framework/window/TextTranslator.h"
#include "framework/window/ToolbarRouter.h"
#include "framework/window/WindowController.h"
#include "runtime/EventLoop.h"
#include "runtime/Events.h"
#include "runtime/Property.h"

namespace quibra {

namespace {
int ByControl(const FieldHistoryEntry& a, const FieldHistoryEntry& b) {
  return a.CONTROL < b.CONTROL ? -1 : a.CONTROL > b.CONTROL ? 1 : 0;
}
}  // namespace

Level WindowController::DispatchEvent() {
  const int32_t control = rt::Field();
  Level r = LevelOk;
  if (control == 0) {
    r = OnWindowEvent();
    if (r != LevelOk) return r;
  }
  switch (rt::Event()) {
    case rt::EventControlAccepted:
      r = OnAccepted();
      break;
    case rt::EventSelectionChanged:
      r = OnSelectionChanged();
      break;
    case rt::EventInputRejected:
      r = OnRejected();
      break;
    case rt::EventControlSelected:
      r = OnSelected();
      break;
    case rt::EventAlertedKey:
      if (HISTORYKEY != 0 && rt::KeyCode() == HISTORYKEY) RecallField(rt::Focus());
      r = LevelOk;
      break;
    default:
      r = LevelOk;
      break;
  }
  if (r != LevelOk) return r;
  if (control != 0) {
    r = OnFieldEvent();
    if (r != LevelOk) return r;
  }
  if (CL) {
    for (int32_t i = 1; i <= CL->Records(); ++i) {
      if (!CL->Get(i) || !CL->buffer.WC) continue;
      r = CL->buffer.WC->HandleEvent();
      if (r != LevelOk) return r;
    }
  }
  if (AUTOREFRESH && CL) {
    for (int32_t i = 1; i <= CL->Records(); ++i) {
      if (CL->Get(i) && CL->buffer.WC && CL->buffer.WC->NeedsRefresh()) {
        Refresh(0);  // one refresh per event at most
        break;
      }
    }
  }
  return LevelOk;
}

Level WindowController::OnWindowEvent() {
  switch (rt::Event()) {
    case rt::EventWindowOpened:
      if (!(INITED & 1)) Activate();
      if (FIRSTFIELD != 0) rt::Select(FIRSTFIELD);
      return LevelOk;
    case rt::EventFocusLost:
      if (RESETONGAINFOCUS) FORCEDRESET = 1;
      return LevelOk;
    case rt::EventFocusGained:
      if (INITED & 1)
        Refresh(0);
      else
        Activate();
      return LevelOk;
    case rt::EventWindowResized:
      // The first resize after the window is made is its own creation.
      if (INITED & 2)
        Refresh(0);
      else
        INITED |= 2;
      return LevelOk;
    case rt::EventFormCompleted:
      return OnCompleted();
    case rt::EventCloseRequested:
    case rt::EventShutdownRequested:
      return OnCloseRequest();
    default:
      return LevelOk;
  }
}

void WindowController::Activate() {
  if (TRANSLATOR) TRANSLATOR->ApplyToWindow(0);
  Refresh(0);
  INITED |= 1;
}

void WindowController::PrimeNewRecord() {}

void WindowController::Refresh(uint8_t force) {
  // Nothing is refreshed while a select-all pass validates the controls.
  if (rt::GetProperty(0, rt::PropValidationPass).Number() != 0) return;
  const uint8_t f = static_cast<uint8_t>(force + FORCEDRESET);
  FORCEDRESET = 0;
  RefreshComponents(f);
  EachComponent([](WindowComponent& c) { c.Redisplay(); });
  rt::Display(0);
}

void WindowController::RefreshComponents(uint8_t force) {
  EachComponent([force](WindowComponent& c) { c.Refresh(force); });
}

Level WindowController::OnAccepted() {
  const int32_t c = rt::Accepted();
  if (TOOLBAR) {
    TOOLBAR->HandleAccepted(VCRREQUEST, this);
    if (c == ToolbarHistoryControl) RecallField(rt::Focus());
  }
  if (BUTTONS) {
    for (int32_t i = 1; i <= BUTTONS->Records(); ++i) {
      if (BUTTONS->Get(i) && BUTTONS->buffer.CONTROL == c) {
        Finish(BUTTONS->buffer.ACTION);
        return LevelNotify;
      }
    }
  }
  if (OKCONTROL != 0 && OKCONTROL == c) StartCompletion();
  return LevelOk;
}

Level WindowController::OnSelectionChanged() {
  if (rt::GetProperty(rt::Field(), rt::PropControlType).Number() == ControlTypeSheet) {
    Refresh(0);
    if (AUTOTOOLBAR && TOOLBAR) TOOLBAR->SelectClient(0);
  }
  return LevelOk;
}

Level WindowController::OnRejected() {
  const int32_t control = rt::Field();
  rt::Beep(150, 16);
  rt::Display(control);  // the stored value replaces the rejected input
  rt::Select(control);
  return LevelOk;
}

Level WindowController::OnSelected() { return LevelOk; }
Level WindowController::OnFieldEvent() { return LevelOk; }

void WindowController::RecallField(int32_t control) {
  if (!HISTORY) return;
  HISTORY->buffer.CONTROL = control;
  if (!HISTORY->Get(&ByControl)) return;
  const FieldHistoryEntry& h = HISTORY->buffer;
  if (!h.CURRENTGROUP || !h.SAVEDGROUP) return;
  rt::AssignField(*h.CURRENTGROUP, h.FIELDNUMBER, *h.SAVEDGROUP);
  rt::Display(control);
}

void WindowController::ArmKeys() {
  EachComponent([](WindowComponent& c) { c.ArmKeys(); });
  if (!HISTORY) return;
  for (int32_t i = 1; i <= HISTORY->Records(); ++i)
    if (HISTORY->Get(i)) rt::SetProperty(HISTORY->buffer.CONTROL, rt::PropAlertedKeys, HISTORYKEY, 255);
}

void WindowController::CommitComponents() {
  EachComponent([](WindowComponent& c) { c.Commit(); });
}

}  // namespace quibra
