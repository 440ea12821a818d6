// The window controller's cost per event: DispatchEvent on an open window
// with 0, 1 and 10 components (with and without the refresh that a component
// may ask for), and a whole window run: prepare, open, the opening event, a
// scripted close, shutdown and release.
#include <benchmark/benchmark.h>

#include <vector>

#include "backends/headless/Headless.h"
#include "framework/window/WindowController.h"
#include "runtime/EventLoop.h"
#include "runtime/Events.h"
#include "runtime/Window.h"
#include "runtime/WindowDef.h"

namespace {

class QuietComponent : public quibra::WindowComponent {
 public:
  void Release() override {}
  void Refresh(uint8_t force) override { benchmark::DoNotOptimize(force); }
  uint8_t NeedsRefresh() override { return needsRefresh; }
  void ArmKeys() override {}
  quibra::Level HandleEvent() override { return quibra::LevelOk; }
  void Commit() override {}
  void Redisplay() override {}
  uint8_t needsRefresh = 0;
};

void RegisterBenchWindow() {
  rt::WindowDef def;
  def.module = "bench";
  def.name = "WINDOW";
  def.caption = "Bench";
  auto add = [&def](int32_t number, rt::ControlKind kind, const char* picture) {
    rt::ControlDef c;
    c.number = number;
    c.kind = kind;
    c.picture = picture;
    def.controls.push_back(c);
  };
  add(1, rt::ControlKind::Entry, "s40");
  add(2, rt::ControlKind::Spin, "n3");
  add(3, rt::ControlKind::Entry, "s40");
  add(4, rt::ControlKind::Button, "");
  add(5, rt::ControlKind::Button, "");
  rt::RegisterWindow(def);
}

// A derived window as the program writes one: it opens its window after the
// base Setup and releases it after the base Shutdown.
class BenchController : public quibra::WindowController {
 public:
  explicit BenchController(std::vector<QuietComponent>& components) : components_(components) {}
  quibra::Level Setup() override {
    if (quibra::Level r = WindowController::Setup(); r != quibra::LevelOk) return r;
    for (QuietComponent& c : components_) AddComponent(&c);
    AddButtonAction(5, quibra::ResponseCancelled);
    window = rt::PrepareWindow("bench", "WINDOW", {rt::BindFixed(name, 40), rt::Bind(count), rt::BindFixed(city, 40)});
    rt::OpenWindow(window);
    OPENED = 1;
    return quibra::LevelOk;
  }
  quibra::Level Shutdown() override {
    if (quibra::Level r = WindowController::Shutdown(); r != quibra::LevelOk) return r;
    rt::ReleaseWindow(window);
    OPENED = 0;
    return quibra::LevelOk;
  }
  rt::Window* window = nullptr;

 private:
  std::vector<QuietComponent>& components_;
  char name[40] = {};
  int16_t count = 0;
  char city[40] = {};
};

// One dispatch of the event the loop holds: the user selecting the first entry.
void Dispatch(benchmark::State& state, uint8_t needsRefresh) {
  headless::ScriptScope scope;
  std::vector<QuietComponent> components(static_cast<std::size_t>(state.range(0)));
  for (QuietComponent& c : components) c.needsRefresh = needsRefresh;
  BenchController w(components);
  w.Setup();
  w.window->Post(rt::EventControlSelected, 1);
  rt::StartEventLoop();  // the opening event
  rt::EndEventLoop(0);   // the selection, which stays current
  for (auto _ : state) benchmark::DoNotOptimize(w.DispatchEvent());
  state.SetItemsProcessed(state.iterations());
  w.window->Post(rt::EventCloseRequested);
  while (!rt::EndEventLoop(0)) {
  }
  w.Shutdown();
}

void BM_DispatchEvent(benchmark::State& state) { Dispatch(state, 0); }
void BM_DispatchEventWithRefresh(benchmark::State& state) { Dispatch(state, 1); }

// A whole run of a window that the user closes at once.
void BM_OpenRunClose(benchmark::State& state) {
  headless::ScriptScope scope;
  std::vector<QuietComponent> components(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    headless::User().CloseWindow();
    BenchController w(components);
    benchmark::DoNotOptimize(w.RunModal());
  }
  state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_DispatchEvent)->Arg(0)->Arg(1)->Arg(10);
BENCHMARK(BM_DispatchEventWithRefresh)->Arg(1)->Arg(10);
BENCHMARK(BM_OpenRunClose)->Arg(0)->Arg(10);

}  // namespace

int main(int argc, char** argv) {
  headless::Install();
  RegisterBenchWindow();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
