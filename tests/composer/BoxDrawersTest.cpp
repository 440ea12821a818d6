// The box behaviour table on the headless backend: the runtime's own box,
// and the native box that the native message hook shows through MessageBoxA.
#include <gtest/gtest.h>

#include "composer/NativeMessageHook.h"
#include "runtime/Address.h"
#include "runtime/Backend.h"
#include "runtime/BoxRules.h"
#include "runtime/MessageBox.h"
#include "runtime/Property.h"
#include "runtime/Window.h"
#include "support/BoxCases.h"
#include "support/HeadlessTest.h"
#include "support/WindowLayout.h"

namespace {

using box_cases::Act;
using box_cases::BoxCase;
using box_cases::Seen;
using headless::User;

class HeadlessDrawer : public box_cases::Drawer {
 public:
  explicit HeadlessDrawer(bool native) : native_(native) {}
  const char* Name() const override { return native_ ? "headless native box" : "headless runtime box"; }
  bool Native() const override { return native_; }

  Seen Show(const BoxCase& c) override {
    headless::Reset();
    if (native_)
      rt::SetProperty(rt::SystemTarget, rt::PropMessageHook, rt::FunctionAddressNumber(&quibra::NativeMessageHook));
    Seen seen;
    // The runtime's box is a window: what it draws is read from it.
    rt::WindowDef shape;
    User().Run([&] {
      const rt::Window* box = rt::CurrentWindow();
      if (!box || !box->BoxInfo()) return;
      shape = box->Def();
      for (const rt::MessageBoxInfo::Button& b : box->BoxInfo()->shown)
        if (b.control == box->Focus()) seen.focusedValue = b.value;
    });
    if (c.act == Act::Press) User().AnswerBox(c.press);
    if (c.act == Act::Escape) User().EscapeBox();
    if (c.act == Act::Close) User().CloseBox();
    if (c.act == Act::Wait) User().Wait(c.timeout * 1000);
    User().Run([&] { seen.stayedOpen = true; }).AnswerBox(c.defaultValue);
    seen.result = rt::ShowBox(box_cases::RequestOf(c));
    User().Clear();  // the steps an answered box did not need
    if (headless::Boxes().size() != 1) return seen;
    const headless::BoxRecord r = headless::Boxes()[0];
    seen.shown = r.drawer == (native_ ? "native" : "runtime");
    seen.title = r.caption;
    seen.captions = r.captions;
    // What a person sees first on the default button of a box that counts down.
    for (std::size_t i = 0; i < r.captions.size() && !r.countdown.empty(); ++i)
      if (rt::ButtonsOf(r.buttons)[i].value == r.defaultValue) seen.captions[i] = r.countdown[0];
    seen.defaultValue = r.defaultValue;
    seen.systemModal = r.style != 0;
    seen.lines = r.lines;
    seen.scrolls = r.scrolls;
    if (native_) {
      seen.icon = r.icon;
    } else {
      quibra_test::ExpectInsideAndApart(shape);
      const rt::ControlDef* image = shape.Find(1);
      if (image && !image->hidden) seen.icon = image->text;
      seen.fitsScreen = shape.width + rt::box_layout::kFrameWidth <= rt::kClassicWorkArea.width &&
                        shape.height + rt::box_layout::kFrameHeight <= rt::kClassicWorkArea.height;
    }
    return seen;
  }

 private:
  bool native_;
};

class BoxDrawers : public quibra_test::HeadlessTest {};

TEST_F(BoxDrawers, TheRuntimeBoxKeepsEveryRule) {
  HeadlessDrawer drawer(false);
  box_cases::ExpectEveryCase(drawer);
}

TEST_F(BoxDrawers, TheNativeBoxKeepsEveryRule) {
  HeadlessDrawer drawer(true);
  box_cases::ExpectEveryCase(drawer);
}

}  // namespace
