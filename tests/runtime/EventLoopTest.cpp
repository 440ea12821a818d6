// The event loop driven by the scripted user: which events a user's actions
// produce and in what order, what the loop's end flags do, posting, key codes
// and event callbacks.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "runtime/ErrorState.h"
#include "runtime/EventLoop.h"
#include "runtime/Events.h"
#include "runtime/MessageBox.h"
#include "runtime/TinyWindow.h"
#include "support/HeadlessTest.h"

namespace {

using headless::User;
using tiny::Seen;

class EventLoop : public quibra_test::HeadlessTest {};

// Ends the loop when OK is accepted.
int32_t EndOnOk(const Seen& s) { return s.accepted == tiny::Ok ? -1 : 0; }

struct ActionCase {
  const char* label;
  std::function<void()> script;
  std::vector<Seen> events;
  std::function<void(const tiny::Data&, const rt::Window&)> check;
};

TEST_F(EventLoop, EachUserActionProducesTheEventsOfARealUser) {
  const Seen opened{rt::EventWindowOpened, 0, 0};
  const Seen selectOk{rt::EventControlSelected, tiny::Ok, 0};
  const Seen acceptOk{rt::EventControlAccepted, tiny::Ok, tiny::Ok};
  // The window opens, the action's own events follow, then OK takes the
  // focus and is accepted.
  auto untilOk = [&](std::vector<Seen> events) {
    events.insert(events.begin(), opened);
    events.insert(events.end(), {selectOk, acceptOk});
    return events;
  };
  const ActionCase cases[] = {
      {"an edit is accepted when the focus moves to the pressed button",
       [] { User().Type(tiny::Name, "Bob").Press(tiny::Ok); },
       untilOk({{rt::EventControlAccepted, tiny::Name, tiny::Name}}),
       [](const tiny::Data& d, const rt::Window&) { EXPECT_EQ(d.name.clipped(), "Bob"); }},
      {"a button pressed by its access key leaves the edit unaccepted",
       [] { User().Type(tiny::Name, "Bob").PressKeepingFocus(tiny::Ok); },
       {opened, acceptOk},
       [](const tiny::Data& d, const rt::Window& w) {
         EXPECT_EQ(d.name.clipped(), "Ann");
         EXPECT_EQ(w.Contents(tiny::Name), "Bob");
       }},
      {"typing more than the picture holds is cut",
       [] { User().Type(tiny::Name, "Bartholomew Smith").Press(tiny::Ok); },
       untilOk({{rt::EventControlAccepted, tiny::Name, tiny::Name}}),
       [](const tiny::Data& d, const rt::Window&) { EXPECT_EQ(d.name.clipped(), "Bartholome"); }},
      {"choosing a radio accepts its option group", [] { User().Choose(tiny::Large).Press(tiny::Ok); },
       untilOk({{rt::EventControlSelected, tiny::Large, 0}, {rt::EventControlAccepted, tiny::Size, tiny::Size}}),
       [](const tiny::Data& d, const rt::Window& w) {
         EXPECT_EQ(d.size, 2);
         EXPECT_TRUE(w.IsChecked(tiny::Large));
         EXPECT_FALSE(w.IsChecked(tiny::Small));
       }},
      {"a short icon code is padded with spaces in its variable", [] { User().Choose(tiny::IconNone).Press(tiny::Ok); },
       untilOk({{rt::EventControlSelected, tiny::IconNone, 0}, {rt::EventControlAccepted, tiny::Icon, tiny::Icon}}),
       [](const tiny::Data& d, const rt::Window&) { EXPECT_EQ(d.icon.raw(), std::string("\xFF\x01  ", 4)); }},
      {"toggling a check box accepts it", [] { User().Toggle(tiny::Agree).Press(tiny::Ok); },
       untilOk({{rt::EventControlSelected, tiny::Agree, 0}, {rt::EventControlAccepted, tiny::Agree, tiny::Agree}}),
       [](const tiny::Data& d, const rt::Window&) { EXPECT_EQ(d.agree, 1); }},
      {"a spin value is accepted when the focus leaves", [] { User().SetSpin(tiny::Count, 7).Press(tiny::Ok); },
       untilOk({{rt::EventControlSelected, tiny::Count, 0}, {rt::EventControlAccepted, tiny::Count, tiny::Count}}),
       [](const tiny::Data& d, const rt::Window&) { EXPECT_EQ(d.count, 7); }},
      {"a letter in a one-digit spin is rejected and the variable keeps its value",
       [] { User().Type(tiny::Count, "x").Press(tiny::Ok); },
       untilOk({{rt::EventControlSelected, tiny::Count, 0}, {rt::EventInputRejected, tiny::Count, 0}}),
       [](const tiny::Data& d, const rt::Window&) { EXPECT_EQ(d.count, 3); }},
      {"two digits in a one-digit spin are rejected", [] { User().SetSpin(tiny::Count, 12).Press(tiny::Ok); },
       untilOk({{rt::EventControlSelected, tiny::Count, 0}, {rt::EventInputRejected, tiny::Count, 0}}),
       [](const tiny::Data& d, const rt::Window&) { EXPECT_EQ(d.count, 3); }},
      {"the close box asks to close and the runtime closes the window",
       [] { User().Type(tiny::Name, "Bob").CloseWindow(); },
       {opened, {rt::EventCloseRequested, 0, 0}},
       [](const tiny::Data& d, const rt::Window& w) {
         EXPECT_FALSE(w.IsOpen());
         EXPECT_EQ(d.name.clipped(), "Ann");  // the close box takes no focus
       }},
  };
  for (const ActionCase& c : cases) {
    SCOPED_TRACE(c.label);
    headless::Reset();
    tiny::Data data;
    rt::Window* w = tiny::Open(data);
    c.script();
    EXPECT_EQ(tiny::RunLoop(EndOnOk), c.events);
    c.check(data, *w);
    EXPECT_TRUE(User().Remaining().empty());
  }
}

TEST_F(EventLoop, EndFlagsStopSkipOrLetTheRuntimeHandleTheEvent) {
  tiny::Data data;
  rt::Window* w = tiny::Open(data);
  User().CloseWindow().CloseWindow();
  int closes = 0;
  // The first close request is skipped (flag 1) and the window stays open;
  // the second is stopped with -1, which ends the loop but closes nothing.
  auto seen = tiny::RunLoop([&](const Seen& s) {
    if (s.event != rt::EventCloseRequested) return 0;
    return ++closes == 1 ? 1 : -1;
  });
  EXPECT_EQ(seen.size(), 3u);
  EXPECT_TRUE(w->IsOpen());
  EXPECT_EQ(rt::CurrentWindow(), w);
  EXPECT_EQ(rt::Event(), 0) << "no event is current once the loop is over";
}

TEST_F(EventLoop, AHandlerThatClosesItsWindowEndsTheLoop) {
  tiny::Data data;
  rt::Window* w = tiny::Open(data);
  User().Press(tiny::Cancel);
  auto seen = tiny::RunLoop([&](const Seen& s) {
    if (s.accepted == tiny::Cancel) rt::CloseWindow(w);
    return 0;
  });
  EXPECT_EQ(seen.back(), (Seen{rt::EventControlAccepted, tiny::Cancel, tiny::Cancel}));
  EXPECT_FALSE(w->IsOpen());
  EXPECT_EQ(rt::CurrentWindow(), nullptr);
}

TEST_F(EventLoop, PostedEventsComeBeforeTheUsersNextAction) {
  tiny::Data data;
  tiny::Open(data);
  User().Press(tiny::Ok);
  auto seen = tiny::RunLoop([](const Seen& s) {
    if (s.event == rt::EventWindowOpened) {
      rt::Post(rt::EventFormCompleted);
      rt::Post(rt::EventSelectionChanged, tiny::History);
    }
    return EndOnOk(s);
  });
  ASSERT_GE(seen.size(), 3u);
  EXPECT_EQ(seen[1], (Seen{rt::EventFormCompleted, 0, 0}));
  EXPECT_EQ(seen[2], (Seen{rt::EventSelectionChanged, tiny::History, 0}));
  EXPECT_EQ(seen.back(), (Seen{rt::EventControlAccepted, tiny::Ok, tiny::Ok}));
}

TEST_F(EventLoop, KeysAndClicksSetTheKeyCode) {
  tiny::Data data;
  rt::Window* w = tiny::Open(data);
  w->SetProperty(tiny::Name, rt::PropAlertedKeys, 255, rt::Value(113));
  std::vector<int32_t> keys;
  User()
      .PressKey(tiny::Name, 114)  // not alerted: sets the key code, no event
      .Run([&] { keys.push_back(rt::KeyCode()); })
      .PressKey(tiny::Name, 113)
      .Press(tiny::Ok);
  auto seen = tiny::RunLoop([&](const Seen& s) {
    if (s.event == rt::EventAlertedKey || s.accepted == tiny::Ok) keys.push_back(rt::KeyCode());
    return EndOnOk(s);
  });
  EXPECT_EQ(seen[1], (Seen{rt::EventAlertedKey, tiny::Name, 0}));
  EXPECT_EQ(keys, (std::vector<int32_t>{114, 113, rt::KeyMouseLeft}));
  rt::SetKeyCode(rt::KeyMouseRightDouble);
  EXPECT_EQ(rt::KeyCode(), rt::KeyMouseRightDouble);
}

struct CallbackLog {
  std::vector<int32_t> events;
  int32_t result = 0;
};

int32_t LogEvent(void* object) {
  auto* log = static_cast<CallbackLog*>(object);
  log->events.push_back(rt::Event());
  return log->result;
}

TEST_F(EventLoop, CallbacksSeeTheirEventFirstAndMayConsumeIt) {
  tiny::Data data;
  rt::Window* w = tiny::Open(data);
  CallbackLog veto{{}, 1};
  CallbackLog watch{{}, 0};
  rt::RegisterEvent(rt::EventCloseRequested, &LogEvent, &veto);
  rt::RegisterEvent(rt::EventControlAccepted, &LogEvent, &watch);
  rt::RegisterEvent(rt::EventControlAccepted, &LogEvent, &watch);  // registered once only
  User()
      .CloseWindow()
      .Press(tiny::Ok)
      .Run([&] { rt::UnregisterEvent(rt::EventCloseRequested, &LogEvent, &veto); })
      .CloseWindow();
  auto seen = tiny::RunLoop();
  // The vetoed close never reached the loop; the second one closed the window.
  EXPECT_EQ(seen, (std::vector<Seen>{{rt::EventWindowOpened, 0, 0},
                                     {rt::EventControlSelected, tiny::Ok, 0},
                                     {rt::EventControlAccepted, tiny::Ok, tiny::Ok},
                                     {rt::EventCloseRequested, 0, 0}}));
  EXPECT_EQ(veto.events, (std::vector<int32_t>{rt::EventCloseRequested}));
  EXPECT_EQ(watch.events, (std::vector<int32_t>{rt::EventControlAccepted}));
  EXPECT_FALSE(w->IsOpen());
}

TEST_F(EventLoop, AMessageBoxFromAHandlerRunsItsOwnLoopAndReturnsToTheWindow) {
  tiny::Data data;
  rt::Window* w = tiny::Open(data);
  User().Press(tiny::Ok).AnswerBox(rt::ButtonNo).Press(tiny::Cancel);
  int32_t answer = 0;
  Seen afterBox{};
  auto seen = tiny::RunLoop([&](const Seen& s) {
    if (s.accepted == tiny::Ok) {
      answer = rt::MessageBox("Sure?", "Ask", rt::IconQuestion, rt::ButtonYes + rt::ButtonNo, 0, 0);
      afterBox = {rt::Event(), rt::Field(), rt::Accepted()};
      EXPECT_EQ(rt::CurrentWindow(), w);
    }
    return s.accepted == tiny::Cancel ? -1 : 0;
  });
  EXPECT_EQ(answer, rt::ButtonNo);
  EXPECT_EQ(afterBox, (Seen{rt::EventControlAccepted, tiny::Ok, tiny::Ok})) << "the outer event is intact";
  EXPECT_EQ(seen.back(), (Seen{rt::EventControlAccepted, tiny::Cancel, tiny::Cancel}));
  ASSERT_EQ(headless::Boxes().size(), 1u);
  EXPECT_EQ(headless::Boxes()[0].owner, w->GetProperty(0, rt::PropHandle, 0).Number());
}

TEST_F(EventLoop, WithoutAnOpenWindowTheLoopDoesNotStart) {
  rt::StartEventLoop();
  EXPECT_EQ(rt::ErrorCode(), rt::ErrInvalidArgument);
  EXPECT_EQ(rt::Event(), 0);
  EXPECT_NE(rt::EndEventLoop(0), 0);
}

}  // namespace
