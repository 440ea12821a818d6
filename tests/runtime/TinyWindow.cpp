#include "runtime/TinyWindow.h"

#include "runtime/EventLoop.h"
#include "runtime/MessageBox.h"
#include "support/TestControl.h"

namespace tiny {
namespace {

rt::WindowDef Definition() {
  using K = rt::ControlKind;
  using quibra_test::TestControl;
  rt::WindowDef w{.module = "tests", .name = "TINY", .caption = "Tiny"};
  w.controls = {
      TestControl(NamePrompt, K::Prompt, "Name:"),
      TestControl(Name, K::Entry, "", "s10"),
      TestControl(Size, K::OptionGroup, "Size"),
      TestControl(Small, K::Radio, "Small", "", "1"),
      TestControl(Large, K::Radio, "Large", "", "2"),
      TestControl(Icon, K::OptionGroup, "Icon"),
      TestControl(IconNone, K::Radio, "None", "", rt::IconNone),
      TestControl(IconHand, K::Radio, "Hand", "", rt::IconHand),
      TestControl(Agree, K::CheckBox, "Agree"),
      TestControl(Count, K::Spin, "", "n1"),
      TestControl(Ok, K::Button, "OK"),
      TestControl(Cancel, K::Button, "Cancel"),
      TestControl(History, K::List, ""),
      TestControl(Picture, K::Image, rt::IconExclamation),
  };
  w.controls[History - 1].format = "217L(2)|M~Message~S(255)@s255@42L(2)|M~Category~L(1)@s255@";
  return w;
}

}  // namespace

rt::Window* Open(Data& data, int32_t focus) {
  if (!rt::RegisteredWindow("tests", "TINY")) rt::RegisterWindow(Definition());
  rt::Window* w = rt::PrepareWindow(
      "tests", "TINY",
      {rt::Bind(data.name), rt::Bind(data.size), rt::Bind(data.icon), rt::Bind(data.agree), rt::Bind(data.count)});
  rt::OpenWindow(w, focus);
  return w;
}

std::ostream& operator<<(std::ostream& out, const Seen& s) {
  return out << "{event " << s.event << ", field " << s.field << ", accepted " << s.accepted << "}";
}

std::vector<Seen> RunLoop(const Handler& handle) {
  std::vector<Seen> seen;
  rt::StartEventLoop();
  for (;;) {
    Seen s{rt::Event(), rt::Field(), rt::Accepted()};
    seen.push_back(s);
    int32_t flag = handle ? handle(s) : 0;
    if (rt::EndEventLoop(flag)) break;
  }
  return seen;
}

}  // namespace tiny
