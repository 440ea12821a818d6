#include "runtime/TinyWindow.h"

#include "runtime/EventLoop.h"
#include "runtime/MessageBox.h"

namespace tiny {
namespace {

rt::ControlDef Make(int32_t number, rt::ControlKind kind, std::string text, std::string picture = {},
                    std::string value = {}) {
  rt::ControlDef c;
  c.number = number;
  c.name = "?C" + std::to_string(number);
  c.kind = kind;
  c.text = std::move(text);
  c.picture = std::move(picture);
  c.value = std::move(value);
  return c;
}

rt::WindowDef Definition() {
  using K = rt::ControlKind;
  rt::WindowDef w;
  w.module = "tests";
  w.name = "TINY";
  w.caption = "Tiny";
  w.controls = {
      Make(NamePrompt, K::Prompt, "Name:"),
      Make(Name, K::Entry, "", "s10"),
      Make(Size, K::OptionGroup, "Size"),
      Make(Small, K::Radio, "Small", "", "1"),
      Make(Large, K::Radio, "Large", "", "2"),
      Make(Icon, K::OptionGroup, "Icon"),
      Make(IconNone, K::Radio, "None", "", rt::IconNone),
      Make(IconHand, K::Radio, "Hand", "", rt::IconHand),
      Make(Agree, K::CheckBox, "Agree"),
      Make(Count, K::Spin, "", "n1"),
      Make(Ok, K::Button, "OK"),
      Make(Cancel, K::Button, "Cancel"),
      Make(History, K::List, ""),
      Make(Picture, K::Image, rt::IconExclamation),
  };
  w.controls[History - 1].format = "217L(2)|M~Message~S(255)@s255@42L(2)|M~Category~L(1)@s255@";
  return w;
}

}  // namespace

rt::Window* Open(Data& data) {
  if (!rt::RegisteredWindow("tests", "TINY")) rt::RegisterWindow(Definition());
  rt::Window* w = rt::PrepareWindow(
      "tests", "TINY",
      {rt::Bind(data.name), rt::Bind(data.size), rt::Bind(data.icon), rt::Bind(data.agree), rt::Bind(data.count)});
  rt::OpenWindow(w);
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
