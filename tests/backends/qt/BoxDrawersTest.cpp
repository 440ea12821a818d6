// The box behaviour table on the Qt backend: the runtime's own box drawn as
// a runtime window, and the native box (a Qt message box behind MessageBoxA)
// that the native message hook shows. A scripted person reads each box and
// answers it with the mouse and the keyboard.
#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include "QtFixture.h"
#include "backends/qt/BoxClipboard.h"
#include "backends/qt/NativeMessageBox.h"
#include "composer/NativeMessageHook.h"
#include "runtime/Address.h"
#include "runtime/BoxRules.h"
#include "runtime/MessageBox.h"
#include "support/BoxCases.h"

namespace qt_test {
namespace {

using box_cases::Act;
using box_cases::BoxCase;
using box_cases::Seen;

// A button's value by its caption, which may be counting down ("OK (5)").
int32_t ValueOfCaption(const QString& caption) {
  for (const rt::BoxButton& b : rt::AllBoxButtons()) {
    const QString own = QString::fromLatin1(b.caption);
    if (caption == own || caption.startsWith(own + QStringLiteral(" ("))) return b.value;
  }
  return 0;
}

std::string IconCodeNamed(const QString& name) {
  for (const std::string* code : {&rt::IconHand, &rt::IconQuestion, &rt::IconExclamation, &rt::IconAsterisk})
    if (!name.isEmpty() && name == QString::fromLatin1(rt::IconName(*code))) return *code;
  return {};
}

std::string IconCodeOf(QMessageBox::Icon icon) {
  switch (icon) {
    case QMessageBox::Critical:
      return rt::IconHand;
    case QMessageBox::Question:
      return rt::IconQuestion;
    case QMessageBox::Warning:
      return rt::IconExclamation;
    case QMessageBox::Information:
      return rt::IconAsterisk;
    default:
      return {};
  }
}

void AddLines(const QString& text, std::vector<std::string>& lines) {
  for (const QString& line : text.split(QLatin1Char('\n'))) lines.push_back(line.toStdString());
}

// What a person sees of the box that waits, whichever drawer made it.
void Read(QWidget* box, Seen& seen) {
  seen.shown = true;
  seen.title = box->windowTitle().toStdString();
  for (const QString& caption : BoxButtons(box)) seen.captions.push_back(caption.toStdString());
  for (QPushButton* b : box->findChildren<QPushButton*>())
    if (b->isDefault()) seen.defaultValue = ValueOfCaption(b->text());
  if (auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget()))
    seen.focusedValue = ValueOfCaption(focused->text());
  seen.systemModal = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
  seen.closeBox = box->windowFlags().testFlag(Qt::WindowCloseButtonHint) ? 1 : 0;
  const QRect screen = box->screen()->availableGeometry();
  seen.fitsScreen = box->frameGeometry().height() <= screen.height() && box->frameGeometry().width() <= screen.width();
  if (auto* native = dynamic_cast<qtbackend::NativeMessageBox*>(box)) {
    seen.icon = IconCodeOf(native->icon());
    if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) AddLines(label->text(), seen.lines);
    auto* scroll = box->findChild<QScrollArea*>();
    seen.scrolls = scroll && scroll->isVisible() && scroll->verticalScrollBar()->maximum() > 0;
    return;
  }
  if (auto* image = box->findChild<QLabel*>(QStringLiteral("1")); image && image->isVisible())
    seen.icon = IconCodeNamed(image->accessibleName());
  if (auto* text = box->findChild<QPlainTextEdit*>(QStringLiteral("2"))) {
    AddLines(text->toPlainText(), seen.lines);
    seen.scrolls = text->isVisible() && text->verticalScrollBar()->maximum() > 0;
    return;
  }
  for (int32_t line = 2; auto* label = box->findChild<QLabel*>(QString::number(line)); ++line)
    seen.lines.push_back(label->text().toStdString());
}

class QtDrawer : public box_cases::Drawer {
 public:
  explicit QtDrawer(bool native) : native_(native) {}
  const char* Name() const override { return native_ ? "Qt native box" : "Qt runtime box"; }
  bool Native() const override { return native_; }

  Seen Show(const BoxCase& c) override {
    rt::SetProperty(rt::SystemTarget, rt::PropMessageHook,
                    native_ ? rt::FunctionAddressNumber(&quibra::NativeMessageHook) : int64_t{0});
    Seen seen;
    User().LookAtBox([&seen](QWidget* box) { Read(box, seen); });
    if (c.act == Act::Press) {
      for (const rt::BoxButton& b : rt::AllBoxButtons())
        if (b.value == c.press) User().Answer(QString::fromStdString(qtbackend::WithoutAccessKeys(b.caption)));
    }
    if (c.act == Act::Escape) User().BoxKey(Qt::Key_Escape);
    if (c.act == Act::Close) User().CloseBox();
    // Where Escape or the close box did nothing, Enter presses the default;
    // a box that counts down is left alone until its time runs out.
    if (c.act != Act::Wait) User().LookAtBox([&seen](QWidget*) { seen.stayedOpen = true; }).BoxKey(Qt::Key_Return);
    seen.result = rt::ShowBox(box_cases::RequestOf(c));
    User().Clear();
    return seen;
  }

 private:
  bool native_;
};

class BoxDrawers : public QtTest {};

TEST_F(BoxDrawers, TheRuntimeBoxKeepsEveryRule) {
  QtDrawer drawer(false);
  box_cases::ExpectEveryCase(drawer);
}

TEST_F(BoxDrawers, TheNativeBoxKeepsEveryRule) {
  QtDrawer drawer(true);
  box_cases::ExpectEveryCase(drawer);
}

// A text taller than the screen scrolls with the keyboard (once the person
// tabs to it) and with the wheel, in both drawers.
TEST_F(BoxDrawers, ALongTextScrollsWithTheKeyboardAndTheWheel) {
  std::string text;
  for (int i = 1; i <= 200; ++i) text += (i > 1 ? "|" : "") + std::string("line ") + std::to_string(i);
  for (bool native : {false, true}) {
    SCOPED_TRACE(native ? "native box" : "runtime box");
    rt::SetProperty(rt::SystemTarget, rt::PropMessageHook,
                    native ? rt::FunctionAddressNumber(&quibra::NativeMessageHook) : int64_t{0});
    int byKey = -1, byWheel = -1;
    User()
        .LookAtBox([&](QWidget* box) {
          auto* area = box->findChild<QAbstractScrollArea*>();
          ASSERT_NE(area, nullptr) << "nothing scrolls";
          QScrollBar* bar = area->verticalScrollBar();
          area->setFocus(Qt::TabFocusReason);
          QTest::keyClick(area, Qt::Key_PageDown);
          byKey = bar->value();
          bar->setValue(0);
          const QPoint middle = area->viewport()->rect().center();
          QWheelEvent wheel(middle, area->viewport()->mapToGlobal(middle), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                            Qt::NoScrollPhase, false);
          QCoreApplication::sendEvent(area->viewport(), &wheel);
          byWheel = bar->value();
        })
        .Answer("OK");
    EXPECT_EQ(rt::MessageBox(text, "Long", "", "1", 0, 0, 0, 0, 0), rt::ButtonOk);
    EXPECT_GT(byKey, 0) << "Page Down scrolls";
    EXPECT_GT(byWheel, 0) << "the wheel scrolls";
  }
}

}  // namespace
}  // namespace qt_test
