// The composer window drawn by the Qt backend: its controls, texts,
// geometry and start values, and what the user's input turns into.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <map>
#include <memory>

#include "QtFixture.h"
#include "WindowChecks.h"
#include "composer/ComposerData.h"
#include "composer/ComposerWindowDef.h"
#include "runtime/EventLoop.h"
#include "runtime/Events.h"
#include "runtime/MessageBox.h"
#include "runtime/Window.h"
#include "runtime/WindowDef.h"

namespace qt_test {
namespace {

using quibra::ComposerData;

class ComposerWindow : public QtTest {
 protected:
  void SetUp() override {
    QtTest::SetUp();
    quibra::RegisterComposerWindow();
    data.MESSAGETEXT = "Test Message | Second Line";
    data.MESSAGETITLE = "Quibra Demo";
    data.BUTTONSTYLE = rt::ButtonOk;
    data.MSGICON = rt::IconExclamation;
    data.MESSAGESTYLE = 1;
    window = rt::PrepareWindow(
        quibra::ComposerModule, quibra::ComposerWindowName,
        {rt::Bind(data.MESSAGETEXT), rt::Bind(data.MESSAGETITLE), rt::Bind(data.BUTTONSTYLE), rt::Bind(data.MSGICON),
         rt::Bind(data.DEFAULTBUTTON), rt::Bind(data.SYSTEMMODAL), rt::Bind(data.MESSAGESTYLE)});
    ASSERT_NE(window, nullptr);
    rt::OpenWindow(window);
    native = Native(window);
    ASSERT_NE(native, nullptr);
    opening = Drain(window);
  }

  QWidget* W(int32_t control) const { return native->ControlWidget(control); }
  void Click(int32_t control) const {
    QTest::mouseClick(W(control), Qt::LeftButton, Qt::NoModifier, ClickPoint(W(control)));
  }
  void Key(int32_t control, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
    QTest::keyClick(W(control), static_cast<Qt::Key>(key), modifiers);
  }

  ComposerData data;
  rt::Window* window = nullptr;
  qtbackend::NativeWindow* native = nullptr;
  std::vector<SeenEvent> opening;
};

// The Qt class each kind of the composer's controls is drawn as.
const std::map<rt::ControlKind, const char*> kWidgetClass = {
    {rt::ControlKind::Prompt, "QLabel"},         {rt::ControlKind::Entry, "QLineEdit"},
    {rt::ControlKind::OptionGroup, "QGroupBox"}, {rt::ControlKind::Radio, "QRadioButton"},
    {rt::ControlKind::Spin, "QSpinBox"},         {rt::ControlKind::CheckBox, "QCheckBox"},
    {rt::ControlKind::Button, "QPushButton"}};

TEST_F(ComposerWindow, EveryControlIsAWidgetNamedByItsNumberAndPlacedInDialogUnits) {
  const rt::WindowDef& def = quibra::ComposerWindowDefinition();
  const qtbackend::DialogUnits& u = native->Units();
  for (const rt::ControlDef& c : def.controls) {
    SCOPED_TRACE(c.name);
    QWidget* w = native->findChild<QWidget*>(QString::number(c.number));
    ASSERT_NE(w, nullptr) << "found by its object name";
    EXPECT_EQ(w, W(c.number));
    EXPECT_STREQ(w->metaObject()->className(), kWidgetClass.at(c.kind));
    EXPECT_EQ(WidgetText(w), QString::fromLatin1(c.text));
    EXPECT_EQ(w->pos(), QPoint(u.X(c.x), u.Y(c.y)));
    if (c.width) {
      EXPECT_EQ(w->size(), QSize(u.X(c.width), u.Y(c.height)));
    }
    EXPECT_TRUE(w->isVisible());
  }
  EXPECT_EQ(native->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).size(),
            static_cast<qsizetype>(def.controls.size()));
}

TEST_F(ComposerWindow, TheWindowItselfTitleSizeAndFont) {
  EXPECT_EQ(native->windowTitle(), QStringLiteral("OvQuibra Demo"));
  EXPECT_EQ(native->objectName(), QStringLiteral("P1$WINDOW"));
  EXPECT_EQ(native->size(), QSize(native->Units().X(241), native->Units().Y(179)));
  EXPECT_EQ(native->minimumSize(), native->maximumSize()) << "a dialog frame: the user does not resize it";
  EXPECT_EQ(native->font().pointSize(), 8);
  EXPECT_EQ(native->windowModality(), Qt::ApplicationModal);
}

TEST_F(ComposerWindow, OpensWithTheVariablesShownAndTheFirstEntryFocused) {
  EXPECT_EQ(static_cast<QLineEdit*>(W(quibra::ControlMessageText))->text(),
            QStringLiteral("Test Message | Second Line"));
  EXPECT_EQ(static_cast<QLineEdit*>(W(quibra::ControlMessageTitle))->text(), QStringLiteral("Quibra Demo"));
  EXPECT_EQ(static_cast<QLineEdit*>(W(quibra::ControlMessageText))->maxLength(), 128);
  EXPECT_EQ(static_cast<QLineEdit*>(W(quibra::ControlMessageTitle))->maxLength(), 40);
  using namespace quibra;
  for (const rt::ControlDef& c : quibra::ComposerWindowDefinition().controls)
    if (c.kind == rt::ControlKind::Radio)
      EXPECT_EQ(static_cast<QRadioButton*>(W(c.number))->isChecked(),
                c.number == ControlButtonOk || c.number == ControlIconExclamation || c.number == ControlThreadSafe)
          << c.name;
  EXPECT_EQ(static_cast<QSpinBox*>(W(quibra::ControlDefaultButton))->value(), 0);
  EXPECT_EQ(static_cast<QSpinBox*>(W(quibra::ControlDefaultButton))->maximum(), 9) << "picture n1: one digit";
  EXPECT_FALSE(static_cast<QCheckBox*>(W(quibra::ControlSystemModal))->isChecked());
  EXPECT_EQ(QApplication::focusWidget(), W(quibra::ControlMessageText));
  EXPECT_EQ(window->Focus(), quibra::ControlMessageText);
  EXPECT_EQ(opening, (std::vector<SeenEvent>{{rt::EventWindowOpened, 0}, {rt::EventWindowResized, 0}}))
      << "the window's first size comes after its opening";
}

TEST_F(ComposerWindow, NothingIsClippedOrOverlapping) { ExpectTidyLayout(native); }

TEST_F(ComposerWindow, TypingIsAcceptedWhenTheFocusLeaves) {
  Click(quibra::ControlMessageTitle);
  EXPECT_EQ(Drain(window), (std::vector<SeenEvent>{{rt::EventControlSelected, quibra::ControlMessageTitle}}));
  QTest::keyClick(W(quibra::ControlMessageTitle), Qt::Key_A, Qt::ControlModifier);
  TypeText(W(quibra::ControlMessageTitle), QString::fromUtf8("Grüße €"));
  EXPECT_EQ(window->Contents(quibra::ControlMessageTitle),
            "Gr\xC3\xBC\xC3\x9F"
            "e \xE2\x82\xAC")
      << "the entry holds UTF-8";
  EXPECT_EQ(Drain(window), std::vector<SeenEvent>{}) << "nothing is accepted while the focus stays";
  Click(quibra::ControlButtonYesNo);
  EXPECT_EQ(Drain(window), (std::vector<SeenEvent>{{rt::EventControlAccepted, quibra::ControlMessageTitle},
                                              {rt::EventControlSelected, quibra::ControlButtonYesNo},
                                              {rt::EventControlAccepted, quibra::ControlButtonStyle}}));
  EXPECT_EQ(data.MESSAGETITLE.clipped(),
            "Gr\xC3\xBC\xC3\x9F"
            "e \xE2\x82\xAC");
  EXPECT_EQ(data.BUTTONSTYLE, 6);
  EXPECT_TRUE(static_cast<QRadioButton*>(W(quibra::ControlButtonYesNo))->isChecked());
  EXPECT_FALSE(static_cast<QRadioButton*>(W(quibra::ControlButtonOk))->isChecked());
}

TEST_F(ComposerWindow, AnEntryKeepsNoMoreThanItsPicture) {
  Click(quibra::ControlMessageTitle);
  QTest::keyClick(W(quibra::ControlMessageTitle), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(W(quibra::ControlMessageTitle), QString(60, QChar('x')));
  EXPECT_EQ(window->Contents(quibra::ControlMessageTitle), std::string(40, 'x'));
}

TEST_F(ComposerWindow, SpinAndCheckBox) {
  Click(quibra::ControlDefaultButton);
  QTest::keyClick(W(quibra::ControlDefaultButton), Qt::Key_Up);
  QTest::keyClick(W(quibra::ControlDefaultButton), Qt::Key_Up);
  EXPECT_EQ(window->Contents(quibra::ControlDefaultButton), "2");
  Click(quibra::ControlSystemModal);
  EXPECT_EQ(Drain(window), (std::vector<SeenEvent>{{rt::EventControlSelected, quibra::ControlDefaultButton},
                                              {rt::EventControlAccepted, quibra::ControlDefaultButton},
                                              {rt::EventControlSelected, quibra::ControlSystemModal},
                                              {rt::EventControlAccepted, quibra::ControlSystemModal}}));
  EXPECT_EQ(data.DEFAULTBUTTON, 2);
  EXPECT_EQ(data.SYSTEMMODAL, 1);
  Click(quibra::ControlSystemModal);
  Drain(window);
  EXPECT_EQ(data.SYSTEMMODAL, 0);
  EXPECT_FALSE(static_cast<QCheckBox*>(W(quibra::ControlSystemModal))->isChecked());
}

// A screen reader's Toggle action toggles the control without a click.
TEST_F(ComposerWindow, AChoiceMadeWithoutAClickIsTakenAndAClickOnTheChosenRadioIsAcceptedOnce) {
  static_cast<QRadioButton*>(W(9))->toggle();
  static_cast<QCheckBox*>(W(20))->toggle();
  EXPECT_EQ(Drain(window), (std::vector<SeenEvent>{{rt::EventControlAccepted, 5}, {rt::EventControlAccepted, 20}}));
  EXPECT_EQ(data.BUTTONSTYLE, 70);
  EXPECT_EQ(data.SYSTEMMODAL, 1);
  Click(9);
  EXPECT_EQ(Drain(window), (std::vector<SeenEvent>{{rt::EventControlSelected, 9}, {rt::EventControlAccepted, 5}}));
}

TEST_F(ComposerWindow, ArrowKeysChooseWithinAGroupAndGoRound) {
  Click(quibra::ControlButtonOk);
  Drain(window);
  const struct {
    const char* label;
    int key;
    int32_t radio;
    int32_t value;
  } steps[] = {
      {"down to OK + CANCEL", Qt::Key_Down, quibra::ControlButtonOkCancel, 65},
      {"right to YES + NO", Qt::Key_Right, quibra::ControlButtonYesNo, 6},
      {"up back", Qt::Key_Up, quibra::ControlButtonOkCancel, 65},
      {"left back", Qt::Key_Left, quibra::ControlButtonOk, 1},
      {"up from the first: the last", Qt::Key_Up, quibra::ControlButtonRetryCancel, 80},
  };
  int32_t at = quibra::ControlButtonOk;
  for (const auto& s : steps) {
    SCOPED_TRACE(s.label);
    Key(at, s.key);
    EXPECT_EQ(Drain(window), (std::vector<SeenEvent>{{rt::EventControlSelected, s.radio},
                                                {rt::EventControlAccepted, quibra::ControlButtonStyle}}));
    EXPECT_EQ(data.BUTTONSTYLE, s.value);
    EXPECT_EQ(QApplication::focusWidget(), W(s.radio));
    at = s.radio;
  }
  EXPECT_EQ(W(quibra::ControlButtonRetryCancel)->focusPolicy(), Qt::StrongFocus)
      << "Tab reaches the group at its chosen radio";
  EXPECT_EQ(W(quibra::ControlButtonOk)->focusPolicy(), Qt::ClickFocus);
}

TEST_F(ComposerWindow, CloseBoxAndEscapeAskToClose) {
  native->close();
  EXPECT_EQ(Drain(window), (std::vector<SeenEvent>{{rt::EventCloseRequested, 0}}));
  EXPECT_TRUE(native->isVisible()) << "the runtime closes the window, not Qt";
  Key(quibra::ControlMessageText, Qt::Key_Escape);
  EXPECT_EQ(Drain(window), (std::vector<SeenEvent>{{rt::EventCloseRequested, 0}}));
  EXPECT_EQ(rt::KeyCode(), rt::KeyEscape);
}

TEST_F(ComposerWindow, EnterPressesTheDefaultButtonOrAcceptsTheEntry) {
  Key(quibra::ControlMessageText, Qt::Key_Return);
  EXPECT_EQ(Drain(window), (std::vector<SeenEvent>{{rt::EventControlAccepted, quibra::ControlMessageText}}))
      << "no default button";
  rt::SetProperty(window, quibra::ControlShowMessage, rt::PropDefaultButton, rt::Value(1));
  EXPECT_TRUE(static_cast<QPushButton*>(W(quibra::ControlShowMessage))->isDefault());
  Key(quibra::ControlMessageText, Qt::Key_Return);
  EXPECT_EQ(Drain(window), (std::vector<SeenEvent>{{rt::EventControlAccepted, quibra::ControlShowMessage}}));
  EXPECT_EQ(rt::KeyCode(), rt::KeyEnter);
  Click(quibra::ControlClose);
  Drain(window);
  Key(quibra::ControlClose, Qt::Key_Return);
  EXPECT_EQ(Drain(window), (std::vector<SeenEvent>{{rt::EventControlAccepted, quibra::ControlClose}}))
      << "a focused button takes Enter";
}

TEST_F(ComposerWindow, AlertedKeysReachTheProgramOthersOnlySetTheKeyCode) {
  rt::SetProperty(window, quibra::ControlMessageText, rt::PropAlertedKeys, rt::Value(114), 255);  // F3
  Key(quibra::ControlMessageText, Qt::Key_F3);
  EXPECT_EQ(Drain(window), (std::vector<SeenEvent>{{rt::EventAlertedKey, quibra::ControlMessageText}}));
  EXPECT_EQ(rt::KeyCode(), 114);
  Key(quibra::ControlMessageText, Qt::Key_F4);
  EXPECT_EQ(Drain(window), std::vector<SeenEvent>{});
  EXPECT_EQ(rt::KeyCode(), 115);
  Key(quibra::ControlMessageTitle, Qt::Key_F3);
  EXPECT_EQ(Drain(window), std::vector<SeenEvent>{}) << "only the control that alerts the key";
}

TEST_F(ComposerWindow, TheProgramsChangesAreShownWithoutEventsForTheProgram) {
  rt::SetProperty(window, quibra::ControlShowMessage, rt::PropText, rt::Value("&Show It"));
  EXPECT_EQ(static_cast<QPushButton*>(W(quibra::ControlShowMessage))->text(), QStringLiteral("&Show It"));
  rt::SetProperty(window, quibra::ControlClose, rt::PropHide, rt::Value(1));
  EXPECT_FALSE(W(quibra::ControlClose)->isVisible());
  rt::SetProperty(window, 0, rt::PropText, rt::Value("Renamed"));
  EXPECT_EQ(native->windowTitle(), QStringLiteral("Renamed"));
  data.MESSAGETEXT = "Changed";
  data.BUTTONSTYLE = 56;
  data.SYSTEMMODAL = 1;
  window->Display(0);
  EXPECT_EQ(static_cast<QLineEdit*>(W(quibra::ControlMessageText))->text(), QStringLiteral("Changed"));
  EXPECT_TRUE(static_cast<QRadioButton*>(W(quibra::ControlButtonAbortRetryIgnore))->isChecked());
  EXPECT_TRUE(static_cast<QCheckBox*>(W(quibra::ControlSystemModal))->isChecked());
  data.BUTTONSTYLE = 7;  // no radio has this value: none is shown chosen
  window->Display(quibra::ControlButtonStyle);
  for (int32_t radio = quibra::ControlButtonOk; radio <= quibra::ControlButtonRetryCancel; ++radio)
    EXPECT_FALSE(static_cast<QRadioButton*>(W(radio))->isChecked());
  window->Select(quibra::ControlMessageTitle);
  EXPECT_EQ(QApplication::focusWidget(), W(quibra::ControlMessageTitle));
  window->Select(quibra::ControlDefaultButtonPrompt);
  EXPECT_EQ(QApplication::focusWidget(), W(quibra::ControlDefaultButton)) << "a prompt passes the focus to its control";
  EXPECT_EQ(window->Focus(), quibra::ControlDefaultButton);
  EXPECT_EQ(Drain(window), std::vector<SeenEvent>{}) << "the program's own changes are not the user's";
}

TEST_F(ComposerWindow, NativeHandleWhileOpen) {
  const int64_t handle = rt::GetProperty(window, 0, rt::PropHandle).Number();
  EXPECT_NE(handle, 0);
  EXPECT_EQ(handle, static_cast<int64_t>(native->winId()));
  rt::CloseWindow(window);
  EXPECT_EQ(rt::GetProperty(window, 0, rt::PropHandle).Number(), 0);
  EXPECT_EQ(qtbackend::Backend().Find(*window), nullptr);
}

}  // namespace
}  // namespace qt_test
