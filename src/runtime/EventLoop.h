#pragma once
// The event loop of the current window, pull-based: start it, then for each
// event read its code, control, accepted control, focus and key code, and end
// it with a flag: -1 stops the loop, 1 skips the rest of the event (the
// runtime's own handling included), 0 lets the runtime handle it (a close
// request closes the window). Loops nest: a window opened from a handler runs
// its own loop and is current until it closes.
#include <cstdint>
#include <string>

#include "runtime/Window.h"

namespace rt {

// Starts the loop of the current window and fetches its first event,
// waiting for one. Without an open window it sets the error state.
void StartEventLoop();
// Ends the current event; non-zero when the loop is over (the window closed
// or the flag was -1), otherwise fetches the next event, waiting, and gives 0.
int32_t EndEventLoop(int32_t flag);

int32_t Event();     // the current event's code
int32_t Field();     // its control, 0 for a window event
int32_t Accepted();  // the accepted control, 0 if none
int32_t Focus();     // the control that has the focus

// The last key code of this thread (a key or a mouse click).
int32_t KeyCode();
void SetKeyCode(int32_t code);

// Queues an event for the current window.
void Post(int32_t event, int32_t control = 0);

// Event callbacks of the current window (see EventCallback).
void RegisterEvent(int32_t event, EventCallback fn, void* object);
void UnregisterEvent(int32_t event, EventCallback fn, void* object);

// The bind stack. This runtime does not evaluate names at run time, so a level
// records only the argument it was pushed with. Popping an empty stack does
// nothing.
void PushBind(int32_t flag);
void PopBind();
int32_t BindDepth();

void Beep(int32_t frequency, int32_t duration);
// A named cursor (its bytes), or the normal one.
void SetCursor(const std::string& cursor);
void SetCursor();

}  // namespace rt
