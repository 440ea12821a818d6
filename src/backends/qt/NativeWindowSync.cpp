// The runtime's side of a native window: its changes shown on the widgets.
#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QTreeWidget>

#include "backends/qt/AnsiText.h"
#include "backends/qt/CaptionButton.h"
#include "backends/qt/NativeWindow.h"
#include "platform/Win32Api.h"
#include "runtime/BoxRules.h"
#include "runtime/ListFormat.h"
#include "runtime/MessageBox.h"
#include "runtime/Property.h"
#include "runtime/Text.h"
#include "runtime/Window.h"

namespace qtbackend {
namespace {

using rt::ControlKind;

// A list shows at most this many rows: a row source that answers a huge
// count must not freeze the program.
constexpr int64_t kMaxListRows = 100000;
constexpr int64_t kMaxListColumns = 64;

// The style's picture of a MessageBoxA icon flag; SP_CustomBase for none.
QStyle::StandardPixmap IconOf(uint32_t flag) {
  switch (flag) {
    case os::MB_ICONHAND:
      return QStyle::SP_MessageBoxCritical;
    case os::MB_ICONQUESTION:
      return QStyle::SP_MessageBoxQuestion;
    case os::MB_ICONEXCLAMATION:
      return QStyle::SP_MessageBoxWarning;
    case os::MB_ICONASTERISK:
      return QStyle::SP_MessageBoxInformation;
    default:
      return QStyle::SP_CustomBase;
  }
}

}  // namespace

void NativeWindow::SyncAll() {
  Sync(0);
  for (const rt::ControlDef& c : window_->Def().controls) Sync(c.number);
}

void NativeWindow::Sync(int32_t control) {
  // While the window hands the user's input to the runtime, the runtime's
  // echo of it is already on the widgets; redrawing a list from inside its
  // own selection signal would also delete the rows the signal is about.
  if (!window_ || applying_) return;
  Applying applying(*this);
  if (control == 0) {
    setWindowTitle(FromAnsi(window_->Title()));
    return;
  }
  QWidget* widget = ControlWidget(control);
  const rt::ControlDef* def = window_->Control(control);
  if (!widget || !def) return;
  const QString text = FromAnsi(window_->Text(control));
  switch (def->kind) {
    case ControlKind::Prompt:
      static_cast<QLabel*>(widget)->setText(text);
      break;
    case ControlKind::Button: {
      auto* button = static_cast<CaptionButton*>(widget);
      button->setText(FromAnsi(window_->SpokenCaption(control)));
      button->SetDrawnText(text);
      break;
    }
    case ControlKind::Radio:
    case ControlKind::CheckBox:
      static_cast<QAbstractButton*>(widget)->setText(text);
      break;
    case ControlKind::OptionGroup:
    case ControlKind::Group:
      static_cast<QGroupBox*>(widget)->setTitle(text);
      break;
    case ControlKind::Image:
      SyncImage(control);
      break;
    case ControlKind::Text: {
      auto* box = static_cast<QPlainTextEdit*>(widget);
      const QString lines = QString(text).remove(QLatin1Char('\r'));
      if (box->toPlainText() != lines) box->setPlainText(lines);
      break;
    }
    default:
      break;
  }
  if (def->kind == ControlKind::Button)
    static_cast<QPushButton*>(widget)->setDefault(window_->GetProperty(control, rt::PropDefaultButton, 0).Number() !=
                                                  0);
  // Set only when it changes: each setting is announced to a screen reader.
  if (const QString description = FromAnsi(window_->Description(control)); widget->accessibleDescription() != description)
    widget->setAccessibleDescription(description);
  widget->setVisible(!window_->IsHidden(control));
  if (control == hiddenFocus_ && !window_->IsHidden(control)) {
    hiddenFocus_ = 0;
    if (window_->Focus() == control) widget->setFocus(Qt::OtherFocusReason);
  }
  SyncContents(*def, widget);
}

void NativeWindow::SyncContents(const rt::ControlDef& def, QWidget* widget) {
  const std::string contents = window_->Contents(def.number);
  switch (def.kind) {
    case ControlKind::Entry: {
      auto* entry = static_cast<QLineEdit*>(widget);
      // Set only when it differs, so that the cursor of an entry being
      // edited stays where it is.
      const QString text = FromAnsi(contents);
      if (entry->text() != text) entry->setText(text);
      break;
    }
    case ControlKind::Spin: {
      auto* spin = static_cast<QSpinBox*>(widget);
      const int64_t value = rt::ToNumber(contents);
      spin->setValue(static_cast<int>(std::clamp<int64_t>(value, spin->minimum(), spin->maximum())));
      break;
    }
    case ControlKind::CheckBox:
      static_cast<QCheckBox*>(widget)->setChecked(rt::ToNumber(contents) != 0);
      break;
    case ControlKind::OptionGroup:
      SyncGroup(def.number);
      break;
    case ControlKind::Radio:
      SyncGroup(window_->GroupOf(def.number));
      break;
    case ControlKind::List:
      SyncList(def.number);
      break;
    default:
      break;
  }
}

std::vector<int32_t> NativeWindow::RadiosOf(int32_t group) const {
  std::vector<int32_t> radios;
  if (group == 0) return radios;
  for (const rt::ControlDef& c : window_->Def().controls)
    if (c.kind == ControlKind::Radio && window_->GroupOf(c.number) == group) radios.push_back(c.number);
  return radios;
}

void NativeWindow::SyncGroup(int32_t group) {
  auto it = groups_.find(group);
  if (it == groups_.end()) return;
  QButtonGroup* buttons = it->second;
  const std::vector<int32_t> radios = RadiosOf(group);
  int32_t checked = 0;
  for (int32_t r : radios)
    if (window_->IsChecked(r)) checked = r;
  // An exclusive group cannot clear its last radio, and a group whose value
  // matches no radio shows none chosen.
  buttons->setExclusive(false);
  for (int32_t r : radios) buttons->button(r)->setChecked(r == checked);
  buttons->setExclusive(true);
  // As on Windows, Tab reaches a group once, at its chosen radio (or its
  // first one); the arrows move within it.
  const int32_t tabStop = checked ? checked : radios.empty() ? 0 : radios.front();
  for (int32_t r : radios) buttons->button(r)->setFocusPolicy(r == tabStop ? Qt::StrongFocus : Qt::ClickFocus);
}

void NativeWindow::SyncList(int32_t control) {
  auto* list = static_cast<QTreeWidget*>(ControlWidget(control));
  const int64_t rows = std::clamp<int64_t>(rt::ToNumber(window_->ListCell(control, -1, 0)), 0, kMaxListRows);
  int columns = list->columnCount();
  if (rt::ParseListFormat(window_->Control(control)->format).empty()) {
    columns =
        static_cast<int>(std::clamp<int64_t>(rt::ToNumber(window_->ListCell(control, -2, 0)), 1, kMaxListColumns));
    list->setColumnCount(columns);
    list->setHeaderHidden(true);  // a format without columns names no headers
  }
  list->clear();
  QList<QTreeWidgetItem*> items;
  for (int32_t row = 1; row <= rows; ++row) {
    auto* item = new QTreeWidgetItem;
    for (int column = 1; column <= columns; ++column) {
      const QString cell = FromAnsi(window_->ListCell(control, row, column));
      item->setText(column - 1, cell);
      item->setToolTip(column - 1, cell);  // a cell cut by its column shows whole here
    }
    items.append(item);
  }
  list->addTopLevelItems(items);
  const int64_t selected = window_->GetProperty(control, rt::PropListSelection, 0).Number();
  if (selected >= 1 && selected <= rows) {
    QTreeWidgetItem* item = list->topLevelItem(static_cast<int>(selected - 1));
    list->setCurrentItem(item);
    list->scrollToItem(item);
  }
}

void NativeWindow::SyncImage(int32_t control) {
  auto* image = static_cast<QLabel*>(ControlWidget(control));
  const uint32_t flag = rt::ImageIconFlag(window_->Text(control));
  const QStyle::StandardPixmap icon = IconOf(flag);
  image->setAccessibleName(QString::fromLatin1(rt::IconName(rt::IconOfFlag(flag))));
  if (icon == QStyle::SP_CustomBase) {
    image->clear();
    return;
  }
  const int side = std::min(image->width(), image->height());
  image->setPixmap(style()->standardIcon(icon, nullptr, this).pixmap(side, side));
}

void NativeWindow::ApplyFocus(int32_t control) {
  if (!window_) return;
  hiddenFocus_ = 0;
  QWidget* target = ControlWidget(control);
  if (target && target->focusPolicy() != Qt::NoFocus) {
    // A hidden control takes the focus when it is shown: a program may
    // select a button before it unhides it.
    if (window_->IsHidden(control)) {
      hiddenFocus_ = control;
      return;
    }
    Applying applying(*this);
    target->setFocus(Qt::OtherFocusReason);
    return;
  }
  // A control that cannot take the focus (a prompt) passes it to the next
  // one that can, as a prompt's access key does; the runtime learns where
  // the focus really is.
  const std::vector<rt::ControlDef>& controls = window_->Def().controls;
  auto from = std::find_if(controls.begin(), controls.end(),
                           [control](const rt::ControlDef& c) { return c.number == control; });
  for (auto it = from; it != controls.end(); ++it) {
    QWidget* widget = ControlWidget(it->number);
    if (!widget || widget->focusPolicy() == Qt::NoFocus || window_->IsHidden(it->number) || !widget->isEnabled())
      continue;
    Applying applying(*this);
    window_->MoveFocus(it->number);
    widget->setFocus(Qt::OtherFocusReason);
    return;
  }
}

}  // namespace qtbackend
