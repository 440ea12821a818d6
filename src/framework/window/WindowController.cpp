// The controller's lifecycle: set-up, the event loop, shutdown, the modal run
// and finishing with a response.
#include "framework/window/WindowController.h"

#include "framework/window/FormFile.h"
#include "framework/window/RecordRelation.h"
#include "framework/window/ResizeHandler.h"
#include "framework/window/ToolbarRouter.h"
#include "runtime/EventLoop.h"
#include "runtime/Events.h"

namespace quibra {

// A controller that is freed without having shut down still gives back its
// lists; the objects registered with it belong to others.
WindowController::~WindowController() {
  delete CL;
  delete BUTTONS;
  delete HISTORY;
  delete FILES;
}

Level WindowController::Setup() {
  // A controller that has shut down cannot run again. Refusing here keeps a
  // derived Setup from opening its window again and pushing a bind level
  // that its Shutdown, finding the controller dead, would never give back.
  if (DEAD) return LevelNotify;
  ORIGINALREQUEST = REQUEST;
  delete CL;
  delete BUTTONS;
  CL = new rt::Queue<ComponentEntry>;
  BUTTONS = new rt::Queue<ButtonAction>;
  rt::PushBind(1);
  // A right click (2) or right double-click (130) that opened this window
  // must not reach it.
  if (rt::KeyCode() == 2 || rt::KeyCode() == 130) rt::SetKeyCode(0);
  INSERTACTION = 2;
  DELETEACTION = 2;
  CHANGEACTION = 1;
  CANCELACTION = 3;
  AUTOTOOLBAR = 1;
  AUTOREFRESH = 1;
  return LevelOk;
}

void WindowController::RunEventLoop() {
  if (DEAD) return;
  LASTINSERTEDPOSITION = "";
  rt::StartEventLoop();
  for (;;) {
    const Level r = DispatchEvent();
    const int32_t flag = r == LevelFatal ? -1 : r == LevelNotify ? 1 : 0;
    if (rt::EndEventLoop(flag)) break;
  }
}

Level WindowController::Shutdown() {
  if (DEAD || !CL) return LevelNotify;
  // Each component leaves the list before it is told, first to last.
  while (CL->Records() > 0) {
    CL->Get(1);
    WindowComponent* component = CL->buffer.WC;
    CL->Delete();
    if (component) component->Release();
  }
  delete CL;
  CL = nullptr;
  delete BUTTONS;
  BUTTONS = nullptr;
  delete HISTORY;
  HISTORY = nullptr;
  if (FILES) {
    for (int32_t i = 1; i <= FILES->Records(); ++i)
      if (FILES->Get(i) && FILES->buffer.UPDATEFILE)
        FILES->buffer.UPDATEFILE->RestoreState(FILES->buffer.SAVEDSTATE, 0);
    delete FILES;
    FILES = nullptr;
  }
  if (PRIMARY && PRIMARY->PRIMARYFILE) PRIMARY->PRIMARYFILE->RestoreState(SAVED, 0);
  if (TOOLBAR) TOOLBAR->Release();
  if (RESIZE) RESIZE->Detach();
  DEAD = 1;
  rt::PopBind();
  return LevelOk;
}

int32_t WindowController::RunModal() {
  if (Setup() == LevelOk) RunEventLoop();
  Shutdown();
  return RESPONSE != 0 ? RESPONSE : static_cast<uint8_t>(ResponseCancelled);
}

void WindowController::Finish(uint8_t response) {
  RESPONSE = response;
  rt::Post(rt::EventCloseRequested);
  if (response == ResponseCancelled && TOOLBAR && VCRREQUEST) *VCRREQUEST = 0;
}

uint8_t WindowController::DefaultResponse() { return ResponseCancelled; }

void WindowController::AddComponent(WindowComponent* component) {
  if (!CL) return;
  CL->buffer.WC = component;
  CL->Add();
}

void WindowController::AttachToolbar(ToolbarRouter* router) {
  TOOLBAR = router;
  if (router) router->Setup();
}

void WindowController::AddButtonAction(int32_t control, uint8_t action) {
  if (!BUTTONS) return;
  BUTTONS->buffer = {control, action};
  BUTTONS->Add();
}

void WindowController::StartCompletion() {
  if (ORIGINALREQUEST == RequestChange || ORIGINALREQUEST == RequestInsert)
    rt::Select(0);  // the select-all pass posts EventFormCompleted when no control stops it
  else
    rt::Post(rt::EventFormCompleted);
}

}  // namespace quibra
