// The select-all validation pass: every visible data control accepted in
// turn while property 31898 reads non-zero, ended by the form-completed event,
// by a control whose contents break its picture, or by a handler's select.
#include <gtest/gtest.h>

#include <vector>

#include "runtime/EventLoop.h"
#include "runtime/Events.h"
#include "runtime/TinyWindow.h"
#include "support/HeadlessTest.h"

namespace {

using headless::User;
using tiny::Seen;

class ValidationPass : public quibra_test::HeadlessTest {};

struct PassSeen {
  Seen event;
  int64_t passFlag;
  bool operator==(const PassSeen&) const = default;
};

// Starts the pass when OK is accepted and records what follows, with the
// window's pass property at each event; `react` may act on each event.
std::vector<PassSeen> RunPass(const std::function<void(const Seen&)>& react = {}) {
  std::vector<PassSeen> out;
  bool started = false;
  tiny::RunLoop([&](const Seen& s) {
    if (started) out.push_back({s, rt::GetProperty(0, rt::PropValidationPass).Number()});
    if (react && started) react(s);
    if (s.accepted == tiny::Ok && !started) {
      started = true;
      rt::Select(0);
    }
    return s.event == rt::EventFormCompleted || s.accepted == tiny::Cancel ? -1 : 0;
  });
  return out;
}

PassSeen Accepted(int32_t c) { return {{rt::EventControlAccepted, c, c}, 1}; }

TEST_F(ValidationPass, AcceptsEveryDataControlInOrderThenCompletesTheForm) {
  tiny::Data data;
  tiny::Open(data);
  User().Type(tiny::Name, "Zoe").PressKeepingFocus(tiny::Ok);
  auto seen = RunPass();
  EXPECT_EQ(seen, (std::vector<PassSeen>{Accepted(tiny::Name),
                                         Accepted(tiny::Size),
                                         Accepted(tiny::Icon),
                                         Accepted(tiny::Agree),
                                         Accepted(tiny::Count),
                                         {{rt::EventFormCompleted, 0, 0}, 0}}));
  EXPECT_EQ(data.name.clipped(), "Zoe") << "the pass stores what it accepts";
}

TEST_F(ValidationPass, StopsAtContentsThatBreakTheirPicture) {
  tiny::Data data;
  rt::Window* w = tiny::Open(data);
  User().Type(tiny::Count, "x").PressKeepingFocus(tiny::Ok).Press(tiny::Cancel);
  auto seen = RunPass();
  ASSERT_EQ(seen.size(), 8u);
  EXPECT_EQ(seen[3], Accepted(tiny::Agree));
  EXPECT_EQ(seen[4], (PassSeen{{rt::EventInputRejected, tiny::Count, 0}, 0}));
  // No form-completed event follows; leaving the spin rejects it once more.
  EXPECT_EQ(seen[5], (PassSeen{{rt::EventInputRejected, tiny::Count, 0}, 0}));
  EXPECT_EQ(seen[6].event.event, rt::EventControlSelected);
  EXPECT_EQ(data.count, 3);
  EXPECT_EQ(w->Contents(tiny::Count), "x");
}

TEST_F(ValidationPass, AHandlerThatSelectsAControlStopsIt) {
  tiny::Data data;
  rt::Window* w = tiny::Open(data);
  User().PressKeepingFocus(tiny::Ok).Press(tiny::Cancel);
  auto seen = RunPass([](const Seen& s) {
    if (s.field == tiny::Size) rt::Select(tiny::Name);
  });
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_EQ(seen[1], Accepted(tiny::Size));
  EXPECT_EQ(seen[2], (PassSeen{{rt::EventControlSelected, tiny::Cancel, 0}, 0}));
  EXPECT_FALSE(w->ValidationPassActive());
}

TEST_F(ValidationPass, SkipsHiddenControls) {
  tiny::Data data;
  rt::Window* w = tiny::Open(data);
  w->SetProperty(tiny::Agree, rt::PropHide, 0, rt::Value(1));
  w->SetProperty(tiny::Icon, rt::PropHide, 0, rt::Value(1));
  User().PressKeepingFocus(tiny::Ok);
  auto seen = RunPass();
  EXPECT_EQ(
      seen,
      (std::vector<PassSeen>{
          Accepted(tiny::Name), Accepted(tiny::Size), Accepted(tiny::Count), {{rt::EventFormCompleted, 0, 0}, 0}}));
}

TEST_F(ValidationPass, PropertyCannotBeSetByTheProgram) {
  tiny::Data data;
  rt::Window* w = tiny::Open(data);
  rt::SetProperty(0, rt::PropValidationPass, rt::Value(1));
  EXPECT_EQ(w->GetProperty(0, rt::PropValidationPass, 0).Number(), 0);
}

}  // namespace
