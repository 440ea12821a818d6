// The composer window drawn by the Qt backend: its controls, texts,
// geometry and start values, and what the user's input turns into.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
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
  std::vector<Seen> opening;
};

struct ControlCase {
  int32_t number;
  const char* widget;  // the Qt class
  const char* text;
  int32_t x, y, width, height;  // dialog units; 0 size: the platform's
};

TEST_F(ComposerWindow, EveryControlIsAWidgetNamedByItsNumberAndPlacedInDialogUnits) {
  const ControlCase cases[] = {
      {1, "QLabel", "Message Text:", 7, 3, 0, 0},
      {2, "QLineEdit", "", 57, 3, 172, 10},
      {3, "QLabel", "Message Title:", 7, 17, 0, 0},
      {4, "QLineEdit", "", 57, 17, 60, 10},
      {5, "QGroupBox", "Supported Button Styles", 7, 31, 224, 73},
      {6, "QRadioButton", "BUTTON:OK", 13, 41, 0, 0},
      {7, "QRadioButton", "BUTTON:OK + BUTTON:CANCEL", 13, 51, 0, 0},
      {8, "QRadioButton", "BUTTON:YES + BUTTON:NO", 13, 61, 0, 0},
      {9, "QRadioButton", "BUTTON:YES + BUTTON:NO + BUTTON:CANCEL", 13, 71, 0, 0},
      {10, "QRadioButton", "BUTTON:ABORT + BUTTON:RETRY + BUTTON:IGNORE", 13, 81, 0, 0},
      {11, "QRadioButton", "BUTTON:RETRY + BUTTON:CANCEL", 13, 91, 0, 0},
      {12, "QGroupBox", "Supported Icons", 7, 107, 87, 63},
      {13, "QRadioButton", "ICON:None", 13, 118, 0, 0},
      {14, "QRadioButton", "ICON:Exclamation", 13, 128, 0, 0},
      {15, "QRadioButton", "ICON:Asterisk", 13, 138, 0, 0},
      {16, "QRadioButton", "ICON:Question", 13, 148, 0, 0},
      {17, "QRadioButton", "ICON:Hand", 13, 158, 0, 0},
      {18, "QLabel", "Default Button:", 98, 111, 0, 0},
      {19, "QSpinBox", "", 148, 110, 27, 10},
      {20, "QCheckBox", "System Modal Message", 98, 122, 0, 0},
      {21, "QGroupBox", "Message Box Style", 98, 134, 135, 25},
      {22, "QRadioButton", "Thread Safe", 103, 145, 0, 0},
      {23, "QRadioButton", "Runtime", 166, 145, 0, 0},
      {24, "QPushButton", "Show Message", 131, 164, 59, 14},
      {25, "QPushButton", "Close", 195, 164, 45, 14},
  };
  const qtbackend::DialogUnits& u = native->Units();
  for (const ControlCase& c : cases) {
    SCOPED_TRACE("control " + std::to_string(c.number));
    QWidget* w = native->findChild<QWidget*>(QString::number(c.number));
    ASSERT_NE(w, nullptr) << "found by its object name";
    EXPECT_EQ(w, W(c.number));
    EXPECT_STREQ(w->metaObject()->className(), c.widget);
    EXPECT_EQ(WidgetText(w), QString::fromLatin1(c.text));
    EXPECT_EQ(w->pos(), QPoint(u.X(c.x), u.Y(c.y)));
    if (c.width) {
      EXPECT_EQ(w->size(), QSize(u.X(c.width), u.Y(c.height)));
    }
    EXPECT_TRUE(w->isVisible());
  }
  EXPECT_EQ(native->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).size(), 25);
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
  EXPECT_EQ(static_cast<QLineEdit*>(W(2))->text(), QStringLiteral("Test Message | Second Line"));
  EXPECT_EQ(static_cast<QLineEdit*>(W(4))->text(), QStringLiteral("Quibra Demo"));
  EXPECT_EQ(static_cast<QLineEdit*>(W(2))->maxLength(), 128);
  EXPECT_EQ(static_cast<QLineEdit*>(W(4))->maxLength(), 40);
  for (int32_t radio : {6, 7, 8, 9, 10, 11, 13, 14, 15, 16, 17, 22, 23})
    EXPECT_EQ(static_cast<QRadioButton*>(W(radio))->isChecked(), radio == 6 || radio == 14 || radio == 22)
        << "radio " << radio;
  EXPECT_EQ(static_cast<QSpinBox*>(W(19))->value(), 0);
  EXPECT_EQ(static_cast<QSpinBox*>(W(19))->maximum(), 9) << "picture n1: one digit";
  EXPECT_FALSE(static_cast<QCheckBox*>(W(20))->isChecked());
  EXPECT_EQ(QApplication::focusWidget(), W(2));
  EXPECT_EQ(window->Focus(), 2);
  EXPECT_EQ(opening, (std::vector<Seen>{{rt::EventWindowOpened, 0}, {rt::EventWindowResized, 0}}))
      << "the window's first size comes after its opening";
}

TEST_F(ComposerWindow, NothingIsClippedOrOverlapping) { ExpectTidyLayout(native); }

TEST_F(ComposerWindow, TypingIsAcceptedWhenTheFocusLeaves) {
  Click(4);
  EXPECT_EQ(Drain(window), (std::vector<Seen>{{rt::EventControlSelected, 4}}));
  QTest::keyClick(W(4), Qt::Key_A, Qt::ControlModifier);
  TypeText(W(4), QString::fromUtf8("Grüße €"));
  EXPECT_EQ(window->Contents(4),
            "Gr\xC3\xBC\xC3\x9F"
            "e \xE2\x82\xAC")
      << "the entry holds UTF-8";
  EXPECT_EQ(Drain(window), std::vector<Seen>{}) << "nothing is accepted while the focus stays";
  Click(8);
  EXPECT_EQ(
      Drain(window),
      (std::vector<Seen>{{rt::EventControlAccepted, 4}, {rt::EventControlSelected, 8}, {rt::EventControlAccepted, 5}}));
  EXPECT_EQ(data.MESSAGETITLE.clipped(),
            "Gr\xC3\xBC\xC3\x9F"
            "e \xE2\x82\xAC");
  EXPECT_EQ(data.BUTTONSTYLE, 6);
  EXPECT_TRUE(static_cast<QRadioButton*>(W(8))->isChecked());
  EXPECT_FALSE(static_cast<QRadioButton*>(W(6))->isChecked());
}

TEST_F(ComposerWindow, AnEntryKeepsNoMoreThanItsPicture) {
  Click(4);
  QTest::keyClick(W(4), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(W(4), QString(60, QChar('x')));
  EXPECT_EQ(window->Contents(4), std::string(40, 'x'));
}

TEST_F(ComposerWindow, SpinAndCheckBox) {
  Click(19);
  QTest::keyClick(W(19), Qt::Key_Up);
  QTest::keyClick(W(19), Qt::Key_Up);
  EXPECT_EQ(window->Contents(19), "2");
  Click(20);
  EXPECT_EQ(Drain(window), (std::vector<Seen>{{rt::EventControlSelected, 19},
                                              {rt::EventControlAccepted, 19},
                                              {rt::EventControlSelected, 20},
                                              {rt::EventControlAccepted, 20}}));
  EXPECT_EQ(data.DEFAULTBUTTON, 2);
  EXPECT_EQ(data.SYSTEMMODAL, 1);
  Click(20);
  Drain(window);
  EXPECT_EQ(data.SYSTEMMODAL, 0);
  EXPECT_FALSE(static_cast<QCheckBox*>(W(20))->isChecked());
}

// A screen reader's Toggle action toggles the control without a click.
TEST_F(ComposerWindow, AChoiceMadeWithoutAClickIsTakenAndAClickOnTheChosenRadioIsAcceptedOnce) {
  static_cast<QRadioButton*>(W(9))->toggle();
  static_cast<QCheckBox*>(W(20))->toggle();
  EXPECT_EQ(Drain(window), (std::vector<Seen>{{rt::EventControlAccepted, 5}, {rt::EventControlAccepted, 20}}));
  EXPECT_EQ(data.BUTTONSTYLE, 70);
  EXPECT_EQ(data.SYSTEMMODAL, 1);
  Click(9);
  EXPECT_EQ(Drain(window), (std::vector<Seen>{{rt::EventControlSelected, 9}, {rt::EventControlAccepted, 5}}));
}

TEST_F(ComposerWindow, ArrowKeysChooseWithinAGroupAndGoRound) {
  Click(6);
  Drain(window);
  const struct {
    const char* label;
    int key;
    int32_t radio;
    int32_t value;
  } steps[] = {
      {"down to OK + CANCEL", Qt::Key_Down, 7, 65},
      {"right to YES + NO", Qt::Key_Right, 8, 6},
      {"up back", Qt::Key_Up, 7, 65},
      {"left back", Qt::Key_Left, 6, 1},
      {"up from the first: the last", Qt::Key_Up, 11, 80},
  };
  int32_t at = 6;
  for (const auto& s : steps) {
    SCOPED_TRACE(s.label);
    Key(at, s.key);
    EXPECT_EQ(Drain(window), (std::vector<Seen>{{rt::EventControlSelected, s.radio}, {rt::EventControlAccepted, 5}}));
    EXPECT_EQ(data.BUTTONSTYLE, s.value);
    EXPECT_EQ(QApplication::focusWidget(), W(s.radio));
    at = s.radio;
  }
  EXPECT_EQ(W(11)->focusPolicy(), Qt::StrongFocus) << "Tab reaches the group at its chosen radio";
  EXPECT_EQ(W(6)->focusPolicy(), Qt::ClickFocus);
}

TEST_F(ComposerWindow, CloseBoxAndEscapeAskToClose) {
  native->close();
  EXPECT_EQ(Drain(window), (std::vector<Seen>{{rt::EventCloseRequested, 0}}));
  EXPECT_TRUE(native->isVisible()) << "the runtime closes the window, not Qt";
  Key(2, Qt::Key_Escape);
  EXPECT_EQ(Drain(window), (std::vector<Seen>{{rt::EventCloseRequested, 0}}));
  EXPECT_EQ(rt::KeyCode(), rt::KeyEscape);
}

TEST_F(ComposerWindow, EnterPressesTheDefaultButtonOrAcceptsTheEntry) {
  Key(2, Qt::Key_Return);
  EXPECT_EQ(Drain(window), (std::vector<Seen>{{rt::EventControlAccepted, 2}})) << "no default button";
  rt::SetProperty(window, 24, rt::PropDefaultButton, rt::Value(1));
  EXPECT_TRUE(static_cast<QPushButton*>(W(24))->isDefault());
  Key(2, Qt::Key_Return);
  EXPECT_EQ(Drain(window), (std::vector<Seen>{{rt::EventControlAccepted, 24}}));
  EXPECT_EQ(rt::KeyCode(), rt::KeyEnter);
  Click(25);
  Drain(window);
  Key(25, Qt::Key_Return);
  EXPECT_EQ(Drain(window), (std::vector<Seen>{{rt::EventControlAccepted, 25}})) << "a focused button takes Enter";
}

TEST_F(ComposerWindow, AlertedKeysReachTheProgramOthersOnlySetTheKeyCode) {
  rt::SetProperty(window, 2, rt::PropAlertedKeys, rt::Value(114), 255);  // F3
  Key(2, Qt::Key_F3);
  EXPECT_EQ(Drain(window), (std::vector<Seen>{{rt::EventAlertedKey, 2}}));
  EXPECT_EQ(rt::KeyCode(), 114);
  Key(2, Qt::Key_F4);
  EXPECT_EQ(Drain(window), std::vector<Seen>{});
  EXPECT_EQ(rt::KeyCode(), 115);
  Key(4, Qt::Key_F3);
  EXPECT_EQ(Drain(window), std::vector<Seen>{}) << "only the control that alerts the key";
}

TEST_F(ComposerWindow, TheProgramsChangesAreShownWithoutEventsForTheProgram) {
  rt::SetProperty(window, 24, rt::PropText, rt::Value("&Show It"));
  EXPECT_EQ(static_cast<QPushButton*>(W(24))->text(), QStringLiteral("&Show It"));
  rt::SetProperty(window, 25, rt::PropHide, rt::Value(1));
  EXPECT_FALSE(W(25)->isVisible());
  rt::SetProperty(window, 0, rt::PropText, rt::Value("Renamed"));
  EXPECT_EQ(native->windowTitle(), QStringLiteral("Renamed"));
  data.MESSAGETEXT = "Changed";
  data.BUTTONSTYLE = 56;
  data.SYSTEMMODAL = 1;
  window->Display(0);
  EXPECT_EQ(static_cast<QLineEdit*>(W(2))->text(), QStringLiteral("Changed"));
  EXPECT_TRUE(static_cast<QRadioButton*>(W(10))->isChecked());
  EXPECT_TRUE(static_cast<QCheckBox*>(W(20))->isChecked());
  data.BUTTONSTYLE = 7;  // no radio has this value: none is shown chosen
  window->Display(5);
  for (int32_t radio = 6; radio <= 11; ++radio) EXPECT_FALSE(static_cast<QRadioButton*>(W(radio))->isChecked());
  window->Select(4);
  EXPECT_EQ(QApplication::focusWidget(), W(4));
  window->Select(18);
  EXPECT_EQ(QApplication::focusWidget(), W(19)) << "a prompt passes the focus to its control";
  EXPECT_EQ(window->Focus(), 19);
  EXPECT_EQ(Drain(window), std::vector<Seen>{}) << "the program's own changes are not the user's";
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
