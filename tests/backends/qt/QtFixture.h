#pragma once
// The fixture of the Qt backend's tests: each test starts with no windows,
// no message hook, an empty script and the platform records cleared, and a
// test whose script still has steps when it ends fails, naming them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <ostream>
#include <string>
#include <vector>

#include "PlatformRecorder.h"
#include "QtUser.h"
#include "backends/qt/NativeWindow.h"
#include "backends/qt/QtBackend.h"
#include "runtime/Property.h"
#include "runtime/Window.h"

namespace qt_test {

// An event as the runtime window's loop takes it.
struct SeenEvent {
  int32_t event;
  int32_t control;
  bool operator==(const SeenEvent&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const SeenEvent& s) {
  return out << "{" << s.event << ", " << s.control << "}";
}

class QtTest : public testing::Test {
 protected:
  void SetUp() override { Reset(); }
  void TearDown() override {
    std::vector<std::string> left = User().Remaining();
    if (!left.empty()) {
      std::string steps;
      for (const std::string& s : left) steps += "\n  " + s;
      ADD_FAILURE() << "the test ended with " << left.size() << " script step(s) not taken:" << steps;
    }
    Reset();
  }
  static void Reset() {
    User().Clear();
    rt::ResetWindowing();
    rt::ClearSystemProperties();
    ResetSystemParameters();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  // The native window of an open runtime window, shown and active.
  static qtbackend::NativeWindow* Native(rt::Window* window) {
    qtbackend::NativeWindow* native = window ? qtbackend::Backend().Find(*window) : nullptr;
    if (native) {
      EXPECT_TRUE(QTest::qWaitForWindowActive(native)) << "the window did not become active";
    }
    return native;
  }

  // An open window "OWNER" of 100 by 50 units, for a box to stand over.
  static rt::Window* OpenOwner() {
    rt::WindowDef def;
    def.name = "OWNER";
    def.caption = "Owner";
    def.width = 100;
    def.height = 50;
    rt::Window* owner = rt::PrepareWindow(def);
    rt::OpenWindow(owner);
    return owner;
  }

  // Lets Qt deliver what is pending, then takes every queued event of the
  // window as its event loop would (an accepted control stores its contents).
  static std::vector<SeenEvent> Drain(rt::Window* window) {
    QCoreApplication::processEvents();
    std::vector<SeenEvent> seen;
    while (window->QueuedEvents() > 0 && window->NextEvent())
      seen.push_back({window->Current().event, window->Current().control});
    return seen;
  }
};

}  // namespace qt_test
