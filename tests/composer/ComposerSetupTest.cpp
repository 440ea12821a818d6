// The composer window's set-up and shutdown, step by step: what each step
// leaves behind, read from the controller, the globals and the error manager
// before the window's loop runs.
#include <gtest/gtest.h>

#include "composer/ComposerData.h"
#include "composer/ComposerUtility.h"
#include "composer/ComposerWindow.h"
#include "composer/ComposerWindowDef.h"
#include "framework/error/GlobalErrorManager.h"
#include "framework/window/ToolbarRouter.h"
#include "framework/window/WindowGlobals.h"
#include "runtime/Property.h"
#include "runtime/Window.h"
#include "support/HeadlessTest.h"

namespace {

using namespace quibra;

class ComposerSetup : public quibra_test::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    RegisterComposerWindow();
    GlobalErrorManager.Setup();
    data.MESSAGESTYLE = 1;
    data.window = rt::PrepareWindow(
        ComposerModule, ComposerWindowName,
        {rt::Bind(data.MESSAGETEXT), rt::Bind(data.MESSAGETITLE), rt::Bind(data.BUTTONSTYLE), rt::Bind(data.MSGICON),
         rt::Bind(data.DEFAULTBUTTON), rt::Bind(data.SYSTEMMODAL), rt::Bind(data.MESSAGESTYLE)});
    data.utility = &utility;
    data.toolbar = &toolbar;
  }
  void TearDown() override {
    rt::ReleaseWindow(data.window);
    GlobalErrorManager.Shutdown();
    HeadlessTest::TearDown();
  }

  ComposerData data;
  ComposerUtility utility;
  ToolbarRouter toolbar;
};

// Notes when the keys are armed, and whether the window was ready by then.
class ArmingComposer : public ComposerWindow {
 public:
  using ComposerWindow::ComposerWindow;
  void ArmKeys() override {
    ++armed;
    openWhenArmed = OPENED == 1 && rt::GetProperty(rt::SystemTarget, rt::PropMessageHook).Number() != 0;
    ComposerWindow::ArmKeys();
  }
  int armed = 0;
  bool openWhenArmed = false;
};

TEST_F(ComposerSetup, LeavesEveryStepsMarkAndShutdownTakesTheProcedureNameBack) {
  NextRequest = RequestChange;
  LastResponse = ResponseCompleted;
  NavigationRequest = 0;
  ArmingComposer composer(&data);
  ASSERT_EQ(composer.Setup(), LevelOk);
  EXPECT_EQ(composer.armed, 1);
  EXPECT_TRUE(composer.openWhenArmed) << "the keys are armed last, on the open window with its hook in";

  EXPECT_EQ(GlobalErrorManager.CurrentProcedure(), "Main") << "errors name the composer's procedure";
  EXPECT_EQ(composer.REQUEST, RequestChange) << "the request handed over";
  EXPECT_EQ(NextRequest, 0) << "and taken";
  EXPECT_EQ(LastResponse, 0);
  EXPECT_EQ(composer.VCRREQUEST, &NavigationRequest);
  EXPECT_EQ(composer.ERRORS, &GlobalErrorManager);
  EXPECT_EQ(composer.TOOLBAR, &toolbar);
  EXPECT_EQ(composer.FIRSTFIELD, ControlMessageTextPrompt);
  ASSERT_NE(composer.BUTTONS, nullptr);
  ASSERT_EQ(composer.BUTTONS->Records(), 1);
  EXPECT_EQ(composer.BUTTONS->At(1).CONTROL, ControlClose);
  EXPECT_EQ(composer.BUTTONS->At(1).ACTION, ResponseCancelled) << "Close ends the window as cancelled";
  EXPECT_TRUE(data.window->IsOpen());
  EXPECT_EQ(composer.OPENED, 1);
  EXPECT_NE(rt::GetProperty(rt::SystemTarget, rt::PropMessageHook).Number(), 0) << "Thread Safe to begin with";

  ASSERT_EQ(composer.Shutdown(), LevelOk);
  EXPECT_EQ(GlobalErrorManager.CurrentProcedure(), "") << "the procedure name is taken back";
}

}  // namespace
