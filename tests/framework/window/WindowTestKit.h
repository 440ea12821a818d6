#pragma once
// What the window controller tests share: a small registered window, a
// derived controller that opens and releases it as a real window does, and
// fakes that write every call they receive into one call log.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "backends/headless/Headless.h"
#include "framework/window/TextTranslator.h"
#include "framework/window/ToolbarRouter.h"
#include "framework/window/WindowController.h"
#include "runtime/RecordGroup.h"
#include "runtime/Window.h"

namespace wintest {

using quibra::Level;

// The test window's controls: three data controls bound to a Record, then
// buttons, a tab sheet and the toolbar's history button.
enum Controls : int32_t {
  CtlName = 1,   // entry "s20"
  CtlCount = 2,  // spin "n1"
  CtlCity = 3,   // entry "s20"
  CtlOk = 4,
  CtlCancel = 5,
  CtlTabs = 6,  // a tab sheet
  CtlHistory = quibra::ToolbarHistoryControl,
};

struct Record {
  char NAME[20];
  int32_t COUNT;
  char CITY[20];
};

// The record group over a Record: a fixed text, a LONG and a fixed text.
rt::RecordGroup GroupOf(Record& record);

// Every call a fake received, oldest first ("A.Refresh(1)", "T.Apply(0)").
std::vector<std::string>& Log();
// Adds an entry to the log.
void Note(std::string entry);
// The log entries that contain any of the needles, joined with spaces.
std::string Trace(std::initializer_list<std::string_view> needles);
int Count(std::string_view entry);

class FakeComponent : public quibra::WindowComponent {
 public:
  // With an owner, Release also logs how many components the list still
  // holds and how deep the bind levels are.
  explicit FakeComponent(std::string name, quibra::WindowController* owner = nullptr)
      : name(std::move(name)), owner(owner) {}
  void Release() override;
  void Refresh(uint8_t force) override;
  uint8_t NeedsRefresh() override;
  void ArmKeys() override;
  // Logs "A.Event(code:control)", with a "*" while a validation pass runs.
  Level HandleEvent() override;
  void Commit() override;
  void Redisplay() override;

  std::string name;
  quibra::WindowController* owner;
  std::map<int32_t, Level> results;  // HandleEvent's result by event code; 0 otherwise
  uint8_t needsRefresh = 0;
  std::function<void(FakeComponent&)> onEvent;  // runs before HandleEvent answers
};

class FakeToolbarClient final : public quibra::ToolbarClient {
 public:
  explicit FakeToolbarClient(std::string name, uint8_t wants = 0) : name(std::move(name)), wants(wants) {}
  void ShowButtons() override;
  void Activate() override;
  uint8_t WantsToolbar() override;
  void HandleAccepted(int32_t* vcrRequest, quibra::WindowController* controller) override;

  std::string name;
  uint8_t wants;
  int32_t* seenVcr = nullptr;
  quibra::WindowController* seenController = nullptr;
  std::function<void()> onAccepted;
};

// Appends a client under an id, as the owner of a router's clients does.
void AddClient(quibra::ToolbarRouter& router, int32_t id, FakeToolbarClient& client);

class FakeTranslator : public quibra::TextTranslator {
 public:
  void ApplyToWindow(int32_t window) override;
};

// A window's controller as a derived window writes it: its Setup calls the
// base, opens the window bound to `record` and lets the test register what
// it needs; its Shutdown calls the base and then closes and releases it.
class TestWindow : public quibra::WindowController {
 public:
  Level Setup() override;
  Level Shutdown() override;
  Level OnAccepted() override;
  Level OnCloseRequest() override;
  Level DispatchEvent() override;

  Record record{};
  rt::Window* window = nullptr;
  Level setupResult = quibra::LevelOk;         // what Setup returns after the base, before opening
  bool releaseWindow = true;                   // false: Shutdown only closes the window
  std::function<void(TestWindow&)> configure;  // runs once the window is open
  int setups = 0, shutdowns = 0, closeRequests = 0, dispatches = 0;
  bool openAtShutdown = false;
  std::vector<Level> results;  // DispatchEvent's results, in order
};

// Registers the test window (module "t3test", window "WINDOW").
void RegisterTestWindow();

// Each test starts with a fresh script and windowing and must use its script up.
class WindowTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  headless::ScriptScope scope;
};

}  // namespace wintest
