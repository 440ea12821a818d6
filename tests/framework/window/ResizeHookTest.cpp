// The resize hook: the runtime calls the handler on each resize event of its
// window until the handler is detached, which the controller's shutdown does.
#include "WindowTestKit.h"
#include "framework/window/ResizeHandler.h"
#include "runtime/EventLoop.h"
#include "runtime/Events.h"

namespace wintest {
namespace {

using headless::User;

class CountingResize : public quibra::ResizeHandler {
 public:
  Level ApplyResize() override {
    ++applied;
    return ResizeHandler::ApplyResize();  // which lets the event go on to the loop
  }
  int applied = 0;
};

class ResizeHook : public WindowTest {
 protected:
  void Attach(TestWindow& w, FakeComponent* component = nullptr) {
    w.configure = [this, component](TestWindow& t) {
      if (component) t.AddComponent(component);
      resize.Init();
      t.RESIZE = &resize;
    };
  }
  CountingResize resize;
};

TEST_F(ResizeHook, EachResizeOfTheWindowReachesTheHandlerAndThenTheLoop) {
  TestWindow w;
  FakeComponent a("A");
  Attach(w, &a);
  User().PostEvent(rt::EventWindowResized).PostEvent(rt::EventWindowResized).PostEvent(rt::EventWindowResized);
  User().CloseWindow();
  w.RunModal();
  EXPECT_EQ(resize.applied, 3);
  EXPECT_EQ(Count("A.Event(561:0)"), 3);
  EXPECT_EQ(resize.PLACEMENTS, nullptr) << "the controller's shutdown detaches the handler";
  EXPECT_EQ(resize.STRATEGIES, nullptr);
}

TEST_F(ResizeHook, ResetEmptiesBothListsAndKeepsThem) {
  TestWindow w;
  Attach(w);
  User()
      .Run([this] {
        resize.PLACEMENTS->Add();
        resize.STRATEGIES->Add();
        resize.Reset();
        ASSERT_NE(resize.PLACEMENTS, nullptr);
        ASSERT_NE(resize.STRATEGIES, nullptr);
        EXPECT_EQ(resize.PLACEMENTS->Records(), 0);
        EXPECT_EQ(resize.STRATEGIES->Records(), 0);
      })
      .CloseWindow();
  w.RunModal();
}

TEST_F(ResizeHook, DetachedHandlerIsNotCalled) {
  TestWindow w;
  Attach(w);
  User().PostEvent(rt::EventWindowResized).Run([this] { resize.Detach(); });
  User().PostEvent(rt::EventWindowResized).CloseWindow();
  w.RunModal();
  EXPECT_EQ(resize.applied, 1);
}

// The controller's shutdown detaches the handler from its window however the
// loop ended, even when the window has closed by then; a window kept for
// later use and opened again must not call the handler any more.
class ShutdownDetaches : public ResizeHook, public testing::WithParamInterface<bool> {};

TEST_P(ShutdownDetaches, ReopenedWindowNoLongerCallsTheHandler) {
  const bool closedByUser = GetParam();
  TestWindow w;
  w.releaseWindow = false;
  FakeComponent stopper("A");
  if (!closedByUser) stopper.results[rt::EventFocusGained] = quibra::LevelFatal;
  Attach(w, &stopper);
  if (closedByUser)
    User().CloseWindow();
  else
    User().PostEvent(rt::EventFocusGained);
  w.RunModal();
  ASSERT_NE(w.window, nullptr);
  ASSERT_FALSE(w.window->IsOpen());

  rt::OpenWindow(w.window);
  w.window->Post(rt::EventWindowResized);
  User().CloseWindow();
  rt::StartEventLoop();
  while (!rt::EndEventLoop(0)) {
  }
  EXPECT_EQ(resize.applied, 0);
  rt::ReleaseWindow(w.window);
}

INSTANTIATE_TEST_SUITE_P(Window, ShutdownDetaches, testing::Bool(),
                         [](const auto& info) { return info.param ? "closed_by_user" : "loop_stopped"; });

}  // namespace
}  // namespace wintest
