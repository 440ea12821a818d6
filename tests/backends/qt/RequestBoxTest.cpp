// The command line's native box on Linux: the whole request (the caller's
// captions and added buttons, markup rendered, a check box, details, the
// dialog tools' Escape) drawn by the Qt box, and the answer given back as a
// ButtonSet value.
#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTextDocument>

#include "QtFixture.h"
#include "backends/qt/NativeMessageBox.h"
#include "runtime/Backend.h"
#include "runtime/BoxRules.h"

namespace qt_test {
namespace {

struct RequestCase {
  const char* label;
  rt::BoxRequest request;
  std::vector<QString> buttons;  // as shown, with their access marks
  QString defaultButton;
  QString text;  // the label's text as a person reads it
  bool rich;
  int act;  // 0: press `answer`; otherwise the key
  QString answer;
  int32_t result;
};

class RequestBox : public QtTest {};

TEST_F(RequestBox, ShowsTheWholeRequestAndGivesTheButtonsValue) {
  const rt::BoxRequest zenityQuestion{.text = "Update <b>now</b> &amp; later?",
                                      .caption = "Q",
                                      .icon = rt::IconQuestion,
                                      .buttons = rt::ButtonYes | rt::ButtonNo,
                                      .markup = rt::BoxMarkup::Pango,
                                      .escape = rt::EscapeRule::DialogTool,
                                      .captions = {{rt::ButtonYes, "&Now"}},
                                      .extraButtons = {{"&Tonight", "_Tonight"}}};
  rt::BoxRequest broken = zenityQuestion;
  broken.text = "Tom & Jerry";
  rt::BoxRequest okOnly{.text = "Saved.", .escape = rt::EscapeRule::DialogTool};
  const RequestCase cases[] = {
      {"captions and an added button, markup rendered",
       zenityQuestion,
       {"&Now", "&No", "&Tonight"},
       "&Now",
       "Update now & later?",
       true,
       0,
       "Tonight",
       rt::kFirstExtraButton},
      {"Enter on the renamed default",
       zenityQuestion,
       {"&Now", "&No", "&Tonight"},
       "&Now",
       "Update now & later?",
       true,
       Qt::Key_Return,
       "",
       rt::ButtonYes},
      {"Escape answers Cancel in a box without one",
       zenityQuestion,
       {"&Now", "&No", "&Tonight"},
       "&Now",
       "Update now & later?",
       true,
       Qt::Key_Escape,
       "",
       rt::ButtonCancel},
      {"markup that is not well formed shows as written",
       broken,
       {"&Now", "&No", "&Tonight"},
       "&Now",
       "Tom & Jerry",
       false,
       0,
       "No",
       rt::ButtonNo},
      {"an OK box answers Escape with Cancel too",
       okOnly,
       {"OK"},
       "OK",
       "Saved.",
       false,
       Qt::Key_Escape,
       "",
       rt::ButtonCancel},
  };
  for (const RequestCase& c : cases) {
    SCOPED_TRACE(c.label);
    std::vector<QString> buttons;
    QString defaultButton, text;
    bool rich = false;
    auto look = [&](QWidget* window) {
      auto* box = dynamic_cast<QMessageBox*>(window);
      ASSERT_NE(box, nullptr);
      buttons = BoxButtons(box);
      defaultButton = box->defaultButton() ? box->defaultButton()->text() : QString();
      const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
      ASSERT_NE(label, nullptr);
      rich = box->textFormat() == Qt::RichText;
      QTextDocument read;
      read.setHtml(label->text());
      text = rich ? read.toPlainText() : label->text();
    };
    User().LookAtBox(look);
    if (c.act)
      User().BoxKey(c.act);
    else
      User().Answer(c.answer);
    EXPECT_EQ(qtbackend::ShowRequestBox(c.request).button, c.result);
    EXPECT_EQ(buttons, c.buttons);
    EXPECT_EQ(defaultButton, c.defaultButton);
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(rich, c.rich);
  }
}

TEST_F(RequestBox, TheCheckBoxIsAnsweredWithTheButton) {
  const rt::BoxRequest request{.text = "Delete?",
                               .buttons = rt::ButtonYes | rt::ButtonNo,
                               .escape = rt::EscapeRule::DialogTool,
                               .checkBox = "Do not ask again"};
  for (const bool tick : {true, false}) {
    User().LookAtBox([tick](QWidget* window) {
      auto* check = window->findChild<QCheckBox*>();
      ASSERT_NE(check, nullptr);
      EXPECT_EQ(check->text(), QStringLiteral("Do not ask again"));
      check->setChecked(tick);
    });
    User().Answer("No");
    const rt::BoxAnswer answer = qtbackend::ShowRequestBox(request);
    EXPECT_EQ(answer.button, rt::ButtonNo);
    EXPECT_EQ(answer.checked, tick);
  }
}

// Qt wraps a message box's label again at half the screen; a long line is
// wrapped once, by the box rules, and Qt's wrapping stays off.
TEST_F(RequestBox, ALongLineWrapsOnce) {
  std::string text;
  for (int i = 0; i < 30; ++i) text += "word" + std::to_string(i) + " ";
  const rt::BoxRequest request{.text = text, .markup = rt::BoxMarkup::Plain};
  bool wraps = true;
  QString shown;
  User()
      .LookAtBox([&](QWidget* window) {
        const auto* label = window->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        ASSERT_NE(label, nullptr);
        wraps = label->wordWrap();
        shown = label->text();
      })
      .Answer("OK");
  EXPECT_EQ(qtbackend::ShowRequestBox(request).button, rt::ButtonOk);
  EXPECT_FALSE(wraps);
  EXPECT_EQ(shown.count(QLatin1Char('\n')), 2) << shown.toStdString();
}

}  // namespace
}  // namespace qt_test
