// A message box's window as the desktop sees it, in both styles: a dialog
// standing over the window it belongs to (its transient parent, which
// Wayland needs to place and stack it), with a title bar of a title and, only
// where Escape answers the box, a close button; never a minimise or maximise
// button.
#include <QWindow>

#include "QtFixture.h"
#include "composer/NativeMessageHook.h"
#include "runtime/Address.h"
#include "runtime/MessageBox.h"
#include "runtime/WindowDef.h"

namespace qt_test {
namespace {

struct TitleBarCase {
  const char* label;
  int32_t buttons;
  int32_t style;
  bool closeButton;
};

struct BoxWindow {
  Qt::WindowFlags flags;
  QWindow* transientParent = nullptr;
};

class BoxWindows : public QtTest {};

TEST_F(BoxWindows, DialogsOverTheirOwnerWithATitleAndACloseButtonOnlyWhereEscapeAnswers) {
  rt::Window* owner = OpenOwner();
  QWidget* ownerWidget = Native(owner);
  ASSERT_NE(ownerWidget, nullptr);
  const TitleBarCase cases[] = {
      {"OK: Escape answers it", rt::ButtonOk, 0, true},
      {"yes/no: nothing answers Escape", rt::ButtonYes + rt::ButtonNo, 0, false},
      {"system-modal yes/no/cancel", rt::ButtonYes + rt::ButtonNo + rt::ButtonCancel, 1, true},
  };
  for (const bool native : {true, false}) {
    rt::SetProperty(rt::SystemTarget, rt::PropMessageHook,
                    native ? rt::FunctionAddressNumber(&quibra::NativeMessageHook) : int64_t{0});
    for (const TitleBarCase& c : cases) {
      SCOPED_TRACE(std::string(native ? "native box, " : "runtime box, ") + c.label);
      BoxWindow seen;
      User()
          .LookAtBox([&seen](QWidget* box) {
            seen.flags = box->windowFlags();
            seen.transientParent = box->windowHandle() ? box->windowHandle()->transientParent() : nullptr;
          })
          .BoxKey(Qt::Key_Return);
      rt::BoxRequest request;
      request.text = "Go on?";
      request.caption = "Title";
      request.buttons = c.buttons;
      request.style = c.style;
      rt::ShowBox(request);
      EXPECT_EQ(seen.flags & Qt::WindowType_Mask, Qt::Dialog);
      EXPECT_TRUE(seen.flags.testFlag(Qt::CustomizeWindowHint)) << "only the buttons named";
      EXPECT_TRUE(seen.flags.testFlag(Qt::WindowTitleHint));
      EXPECT_FALSE(seen.flags.testFlag(Qt::WindowMinimizeButtonHint));
      EXPECT_FALSE(seen.flags.testFlag(Qt::WindowMaximizeButtonHint));
      EXPECT_EQ(seen.flags.testFlag(Qt::WindowCloseButtonHint), c.closeButton);
      EXPECT_EQ(seen.flags.testFlag(Qt::WindowStaysOnTopHint), c.style != 0);
      EXPECT_EQ(seen.transientParent, ownerWidget->windowHandle()) << "it stands over its owner";
    }
  }
}

}  // namespace
}  // namespace qt_test
