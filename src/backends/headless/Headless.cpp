#include "backends/headless/Headless.h"

#include <atomic>
#include <cstdlib>

#include "backends/InstallBackend.h"
#include "backends/headless/HeadlessBackend.h"
#include "backends/headless/HeadlessState.h"
#include "runtime/Property.h"
#include "runtime/Text.h"
#include "runtime/Window.h"

namespace headless {
namespace {

HeadlessBackend backend;
std::atomic<FailureHandler> failureHandler{nullptr};

template <class T>
std::vector<T> Copy(const std::vector<T>& records) {
  State& s = Shared();
  std::lock_guard<std::recursive_mutex> hold(s.lock);
  return records;
}

}  // namespace

State& Shared() {
  static State state;
  return state;
}

void Fail(const std::string& message) {
  if (FailureHandler handler = failureHandler.load()) handler(message);
  throw ScriptError(message);
}

FailureHandler SetFailureHandler(FailureHandler handler) { return failureHandler.exchange(handler); }

void Install() {
  rt::SetBackend(&backend);
  InstallPlatformCalls();
}

void Reset() {
  // Windows first: closing them reaches back into the records.
  rt::ResetWindowing();
  rt::ClearSystemProperties();
  State& s = Shared();
  std::lock_guard<std::recursive_mutex> hold(s.lock);
  s.steps.clear();
  s.boxes.clear();
  s.calls.clear();
  s.beeps.clear();
  s.cursors.clear();
  s.clipboard.clear();
  s.fullWindowDrag = 0;
  s.failSystemParameters = false;
  s.allocationsBeforeFailure = 0;
  s.allocationsToFail = 0;
  for (void* block : s.heapBlocks) std::free(block);
  s.heapBlocks.clear();
  s.handles.clear();
  s.boxRecords.clear();
  s.pendingEdits.clear();
  s.timerElapsed.clear();
}

std::vector<BoxRecord> Boxes() { return Copy(Shared().boxes); }
std::vector<PlatformCall> PlatformCalls() { return Copy(Shared().calls); }
std::vector<BeepRecord> Beeps() { return Copy(Shared().beeps); }
std::vector<std::string> Cursors() { return Copy(Shared().cursors); }
std::string Clipboard() {
  State& s = Shared();
  std::lock_guard<std::recursive_mutex> hold(s.lock);
  return s.clipboard;
}

void SetFullWindowDrag(bool on) {
  State& s = Shared();
  std::lock_guard<std::recursive_mutex> hold(s.lock);
  s.fullWindowDrag = on ? 1 : 0;
}

void SetFullWindowDragValue(int32_t value) {
  State& s = Shared();
  std::lock_guard<std::recursive_mutex> hold(s.lock);
  s.fullWindowDrag = value;
}

bool FullWindowDrag() {
  State& s = Shared();
  std::lock_guard<std::recursive_mutex> hold(s.lock);
  return s.fullWindowDrag != 0;
}

void FailSystemParameters(bool on) {
  State& s = Shared();
  std::lock_guard<std::recursive_mutex> hold(s.lock);
  s.failSystemParameters = on;
}

void FailAllocations(int count, int after) {
  State& s = Shared();
  std::lock_guard<std::recursive_mutex> hold(s.lock);
  s.allocationsToFail = count;
  s.allocationsBeforeFailure = after;
}

int LiveHeapBlocks() {
  State& s = Shared();
  std::lock_guard<std::recursive_mutex> hold(s.lock);
  return static_cast<int>(s.heapBlocks.size());
}

std::vector<std::vector<std::string>> ListRows(const rt::Window& window, int32_t control) {
  std::vector<std::vector<std::string>> rows;
  int64_t count = rt::ToNumber(window.ListCell(control, -1, 0));
  int64_t columns = rt::ToNumber(window.ListCell(control, -2, 0));
  for (int32_t row = 1; row <= count; ++row) {
    std::vector<std::string>& cells = rows.emplace_back();
    for (int32_t column = 1; column <= columns; ++column) cells.push_back(window.ListCell(control, row, column));
  }
  return rows;
}

}  // namespace headless

namespace backend {

void Install(const StartOptions&) { headless::Install(); }

}  // namespace backend
