// MessageBoxA on Linux: a native Qt message box with the buttons, icon,
// default button and modality of the MB_* flags, its answer given back as
// IDOK..IDNO.
#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QPushButton>
#include <atomic>
#include <thread>

#include "QtFixture.h"
#include "backends/qt/NativeMessageBox.h"
#include "platform/Win32Api.h"
#include "runtime/WindowDef.h"

namespace qt_test {
namespace {

using Captions = std::vector<QString>;

struct NativeLook {
  QString title;
  QString text;
  Captions buttons;
  QString defaultButton;
  QString focused;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  bool closeBox = true;
  bool onTop = false;
  bool plainText = false;
  QWidget* parent = nullptr;
};

NativeLook LookAtNative(QWidget* window) {
  NativeLook look;
  auto* box = dynamic_cast<qtbackend::NativeMessageBox*>(window);
  if (!box) {
    ADD_FAILURE() << Describe(window) << " is not a native message box";
    return look;
  }
  look.title = box->windowTitle();
  look.text = box->text();
  look.buttons = BoxButtons(box);
  look.defaultButton = box->defaultButton() ? box->defaultButton()->text() : QString();
  if (auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget())) look.focused = focused->text();
  look.icon = box->icon();
  look.closeBox = box->windowFlags().testFlag(Qt::WindowCloseButtonHint);
  look.onTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
  look.plainText = box->textFormat() == Qt::PlainText;
  look.parent = box->parentWidget();
  return look;
}

struct FlagsCase {
  const char* label;
  os::UINT flags;
  Captions buttons;
  QString defaultButton;
  QMessageBox::Icon icon;
  QString answer;
  int32_t result;
};

class NativeBox : public QtTest {};

TEST_F(NativeBox, FlagsGiveButtonsDefaultIconAndTheAnswersId) {
  // The box rules are checked through the native message hook with every
  // drawer (BoxDrawersTest); here, flag words the hook never makes.
  const FlagsCase cases[] = {
      {"a third default in a two-button box is the first",
       os::MB_YESNO | os::MB_DEFBUTTON3,
       {"&Yes", "&No"},
       "&Yes",
       QMessageBox::NoIcon,
       "No",
       os::IDNO},
      {"icon bits Windows does not name show none",
       os::MB_OK | 0x50,
       {"OK"},
       "OK",
       QMessageBox::NoIcon,
       "OK",
       os::IDOK},
  };
  for (const FlagsCase& c : cases) {
    SCOPED_TRACE(c.label);
    NativeLook look;
    User().LookAtBox([&look](QWidget* box) { look = LookAtNative(box); }).Answer(c.answer);
    EXPECT_EQ(os::MessageBoxA(nullptr, "Text", "Title", c.flags), c.result);
    EXPECT_EQ(look.buttons, c.buttons) << "in the Windows order";
    EXPECT_EQ(look.defaultButton, c.defaultButton);
    EXPECT_EQ(look.focused, c.defaultButton) << "the default button has the focus";
    EXPECT_EQ(look.icon, c.icon);
    EXPECT_FALSE(look.onTop);
  }
}

TEST_F(NativeBox, CtrlCCopiesTitleTextAndButtons) {
  QApplication::clipboard()->clear();
  User().BoxKey(Qt::Key_C, Qt::ControlModifier).Answer("Cancel");
  EXPECT_EQ(os::MessageBoxA(nullptr, "Test Message \r\n Second Line", "Quibra Demo",
                            os::MB_YESNOCANCEL | os::MB_ICONQUESTION),
            os::IDCANCEL);
  const std::string rule = "---------------------------\n";
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(),
            rule + "Quibra Demo\n" + rule + "Test Message \n Second Line\n" + rule + "Yes   No   Cancel   \n" + rule);
}

TEST_F(NativeBox, TextIsPlainAndInTheCodePage) {
  const struct {
    const char* label;
    const char* text;
    const char* caption;
    QString shownText;
    QString shownTitle;
  } cases[] = {
      {"CR LF breaks lines", "Test Message \r\n Second Line", "Quibra Demo", "Test Message \n Second Line",
       "Quibra Demo"},
      {"markup stays text", "<b>bold</b> &amp;", "<i>t</i>", "<b>bold</b> &amp;", "<i>t</i>"},
      {"code page letters", "Caf\xE9 \x80",
       "Gr\xFC\xDF"
       "e",
       QString::fromUtf8("Café €"), QString::fromUtf8("Grüße")},
      {"a missing caption is titled Error", "x", nullptr, "x", "Error"},
      {"a missing text is empty", nullptr, "", "", ""},
      {"a lone CR breaks a line too", "a\rb", "", "a\nb", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    NativeLook look;
    User().LookAtBox([&look](QWidget* box) { look = LookAtNative(box); }).Answer("OK");
    EXPECT_EQ(os::MessageBoxA(nullptr, c.text, c.caption, os::MB_OK), os::IDOK);
    EXPECT_EQ(look.text, c.shownText);
    EXPECT_EQ(look.title, c.shownTitle);
    EXPECT_TRUE(look.plainText);
  }
}

TEST_F(NativeBox, AButtonSetWindowsDoesNotKnowFailsWithoutShowingABox) {
  for (os::UINT type : {6u, 7u, 15u}) EXPECT_EQ(os::MessageBoxA(nullptr, "x", "y", type), 0) << "type " << type;
}

TEST_F(NativeBox, OwnedByTheWindowWhoseHandleIsGivenAndSystemModalStaysOnTop) {
  rt::Window* owner = OpenOwner();
  auto* native = Native(owner);
  const auto handle =
      reinterpret_cast<os::HWND>(static_cast<intptr_t>(rt::GetProperty(owner, 0, rt::PropHandle).Number()));
  NativeLook look;
  User().LookAtBox([&look](QWidget* box) { look = LookAtNative(box); }).Answer("OK");
  EXPECT_EQ(os::MessageBoxA(handle, "Owned", "", os::MB_OK | os::MB_SYSTEMMODAL), os::IDOK);
  EXPECT_EQ(look.parent, native);
  EXPECT_TRUE(look.onTop);
  User().LookAtBox([&look](QWidget* box) { look = LookAtNative(box); }).Answer("OK");
  EXPECT_EQ(os::MessageBoxA(reinterpret_cast<os::HWND>(intptr_t{0x7FFF0}), "Stranger", "", os::MB_OK), os::IDOK);
  EXPECT_EQ(look.parent, nullptr) << "a handle that names no window: no owner";
}

TEST_F(NativeBox, AskedOnAnotherThreadShownOnTheWindowThread) {
  std::atomic<int32_t> result{-1};
  User().Answer("Yes");
  std::thread worker([&result] { result = os::MessageBoxA(nullptr, "From a worker", "", os::MB_YESNO); });
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (result == -1 && std::chrono::steady_clock::now() < deadline)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  worker.join();
  EXPECT_EQ(result, os::IDYES);
}

}  // namespace
}  // namespace qt_test
