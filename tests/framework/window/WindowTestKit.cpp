#include "WindowTestKit.h"

#include <cstddef>

#include "runtime/EventLoop.h"
#include "runtime/Property.h"
#include "runtime/WindowDef.h"
#include "support/TestControl.h"

namespace wintest {

namespace {

const rt::FieldDesc recordFields[] = {
    {offsetof(Record, NAME), rt::FieldType::FixedText, 20},
    {offsetof(Record, COUNT), rt::FieldType::Long, 4},
    {offsetof(Record, CITY), rt::FieldType::FixedText, 20},
};

}  // namespace

void Note(std::string entry) { Log().push_back(std::move(entry)); }

rt::RecordGroup GroupOf(Record& record) { return {&record, recordFields, 3, sizeof(Record)}; }

std::vector<std::string>& Log() {
  static std::vector<std::string> log;
  return log;
}

std::string Trace(std::initializer_list<std::string_view> needles) {
  std::string out;
  for (const std::string& entry : Log())
    for (std::string_view needle : needles)
      if (entry.find(needle) != std::string::npos) {
        out += (out.empty() ? "" : " ") + entry;
        break;
      }
  return out;
}

int Count(std::string_view entry) {
  int n = 0;
  for (const std::string& e : Log()) n += e == entry;
  return n;
}

void FakeComponent::Release() {
  Note(name + ".Release" +
       (owner ? "/left=" + std::to_string(owner->CL ? owner->CL->Records() : -1) +
                    "/bind=" + std::to_string(rt::BindDepth())
              : ""));
}
void FakeComponent::Refresh(uint8_t force) { Note(name + ".Refresh(" + std::to_string(force) + ")"); }
uint8_t FakeComponent::NeedsRefresh() {
  Note(name + ".NeedsRefresh");
  return needsRefresh;
}
void FakeComponent::ArmKeys() { Note(name + ".ArmKeys"); }
void FakeComponent::Commit() { Note(name + ".Commit"); }
void FakeComponent::Redisplay() { Note(name + ".Redisplay"); }

Level FakeComponent::HandleEvent() {
  const bool pass = rt::GetProperty(0, rt::PropValidationPass).Number() != 0;
  Note(name + ".Event(" + std::to_string(rt::Event()) + ":" + std::to_string(rt::Field()) + ")" + (pass ? "*" : ""));
  if (onEvent) onEvent(*this);
  auto it = results.find(rt::Event());
  return it == results.end() ? Level{quibra::LevelOk} : it->second;
}

void FakeToolbarClient::ShowButtons() { Note(name + ".ShowButtons"); }
void FakeToolbarClient::Activate() { Note(name + ".Activate"); }
uint8_t FakeToolbarClient::WantsToolbar() {
  Note(name + ".Wants");
  return wants;
}
void FakeToolbarClient::HandleAccepted(int32_t* vcrRequest, quibra::WindowController* controller) {
  Note(name + ".HandleAccepted");
  seenVcr = vcrRequest;
  seenController = controller;
  if (onAccepted) onAccepted();
}

void AddClient(quibra::ToolbarRouter& router, int32_t id, FakeToolbarClient& client) {
  router.LIST->buffer = {id, &client};
  router.LIST->Add();
}

void FakeTranslator::ApplyToWindow(int32_t window) { Note("T.Apply(" + std::to_string(window) + ")"); }

Level TestWindow::Setup() {
  ++setups;
  if (Level r = WindowController::Setup(); r != quibra::LevelOk) return r;
  if (setupResult != quibra::LevelOk) return setupResult;
  window = rt::PrepareWindow("t3test", "WINDOW",
                             {rt::BindFixed(record.NAME, 20), rt::Bind(record.COUNT), rt::BindFixed(record.CITY, 20)});
  rt::OpenWindow(window);
  OPENED = 1;
  if (configure) configure(*this);
  return quibra::LevelOk;
}

Level TestWindow::Shutdown() {
  ++shutdowns;
  openAtShutdown = window && window->IsOpen();
  if (Level r = WindowController::Shutdown(); r != quibra::LevelOk) return r;
  if (releaseWindow) {
    rt::ReleaseWindow(window);
    window = nullptr;
  } else {
    rt::CloseWindow(window);
  }
  OPENED = 0;
  return quibra::LevelOk;
}

Level TestWindow::OnAccepted() {
  Note("W.OnAccepted(" + std::to_string(rt::Accepted()) + ")");
  return WindowController::OnAccepted();
}

Level TestWindow::OnCloseRequest() {
  ++closeRequests;
  return WindowController::OnCloseRequest();
}

Level TestWindow::DispatchEvent() {
  ++dispatches;
  results.push_back(WindowController::DispatchEvent());
  return results.back();
}

void RegisterTestWindow() {
  using K = rt::ControlKind;
  using quibra_test::TestControl;
  rt::WindowDef def{.module = "t3test", .name = "WINDOW", .caption = "Controller test"};
  def.controls = {TestControl(CtlName, K::Entry, "", "s20"), TestControl(CtlCount, K::Spin, "", "n1"),
                  TestControl(CtlCity, K::Entry, "", "s20"), TestControl(CtlOk, K::Button),
                  TestControl(CtlCancel, K::Button),         TestControl(CtlTabs, K::Sheet),
                  TestControl(CtlHistory, K::Button)};
  ASSERT_TRUE(rt::RegisterWindow(def));
}

void WindowTest::SetUp() {
  RegisterTestWindow();
  Log().clear();
}

void WindowTest::TearDown() {
  EXPECT_EQ(headless::User().Remaining(), std::vector<std::string>{}) << "the script was not used up";
  EXPECT_EQ(rt::BindDepth(), 0) << "a bind level was left behind";
}

}  // namespace wintest
