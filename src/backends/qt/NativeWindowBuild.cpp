// Making a native window from its runtime window's definition.
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QTimer>
#include <QTreeWidget>
#include <QWindow>

#include "backends/qt/AnsiText.h"
#include "backends/qt/BoxWindowFlags.h"
#include "backends/qt/CaptionButton.h"
#include "backends/qt/NativeWindow.h"
#include "runtime/Events.h"
#include "runtime/ListFormat.h"
#include "runtime/Picture.h"
#include "runtime/Window.h"

namespace qtbackend {
namespace {

using rt::ControlKind;

// The height, in dialog units, of a control whose definition leaves it to
// the platform: the sizes Windows dialogs use. Other kinds take Qt's.
int32_t DefaultHeight(ControlKind kind) {
  switch (kind) {
    case ControlKind::Prompt:
      return 8;
    case ControlKind::Radio:
    case ControlKind::CheckBox:
      return 10;
    case ControlKind::Entry:
    case ControlKind::Spin:
      return 12;
    case ControlKind::Button:
      return 14;
    default:
      return 0;
  }
}

bool TakesFocus(ControlKind kind) {
  return kind == ControlKind::Entry || kind == ControlKind::Spin || kind == ControlKind::CheckBox ||
         kind == ControlKind::Radio || kind == ControlKind::Button || kind == ControlKind::List ||
         kind == ControlKind::Text;
}

}  // namespace

NativeWindow::NativeWindow(rt::Window& window)
    : QWidget(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      window_(&window),
      font_(WindowFont(window.Def().fontName, window.Def().fontSize)),
      units_(DialogUnits::OfFont(font_)) {
  // The runtime runs one window's loop at a time, the innermost: the windows
  // under it must not take input meanwhile.
  setWindowModality(Qt::ApplicationModal);
  // A message box that neither Escape nor the close box can answer offers
  // no close box, as on Windows.
  if (const rt::MessageBoxInfo* box = window.BoxInfo())
    setWindowFlags(BoxWindowFlags(box->escapeValue != 0, box->style != 0));
  setObjectName(QString::fromStdString(window.Def().name));
  setFont(font_);
  Build();
}

void NativeWindow::Build() {
  const rt::WindowDef& def = window_->Def();
  setFixedSize(units_.X(def.width), units_.Y(def.height));
  for (const rt::ControlDef& c : def.controls) {
    QWidget* widget = MakeControl(c);
    widget->setObjectName(QString::number(c.number));
    widget->setProperty("rtControl", c.number);
    widget->setGeometry(Geometry(c, widget));
    controls_[c.number] = widget;
    Wire(c, widget);
  }
  SetBuddies();
  AddCommands();
  if (window_->BoxInfo()) FitBoxToText();
  // Every part of every control reports keys and clicks here, a spin's
  // editor and a list's viewport included.
  for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
  SyncAll();
}

// The window's commands are its context menu, each under its shortcut
// while the window is active.
void NativeWindow::AddCommands() {
  for (const rt::WindowCommand& command : window_->Def().commands) {
    auto* action = new QAction(FromAnsi(command.text), this);
    action->setObjectName(QStringLiteral("command") + QString::number(command.number));
    if (!command.shortcut.empty()) action->setShortcut(QKeySequence(QString::fromStdString(command.shortcut)));
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, [this, number = command.number] { Post(rt::EventCommand, 0, number); });
    addAction(action);
  }
  if (!actions().isEmpty()) setContextMenuPolicy(Qt::ActionsContextMenu);
}

QWidget* NativeWindow::MakeControl(const rt::ControlDef& def) {
  switch (def.kind) {
    case ControlKind::Prompt:
    case ControlKind::Image: {
      auto* label = new QLabel(this);
      label->setTextFormat(Qt::PlainText);
      label->setAlignment(def.kind == ControlKind::Image ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
      return label;
    }
    case ControlKind::Entry: {
      auto* entry = new QLineEdit(this);
      std::size_t limit = rt::PictureTextLimit(def.picture);
      if (limit > 0 && limit < 32767) entry->setMaxLength(static_cast<int>(limit));
      return entry;
    }
    case ControlKind::Button:
      return new CaptionButton(this);
    case ControlKind::OptionGroup: {
      groups_[def.number] = new QButtonGroup(this);
      return new QGroupBox(this);
    }
    case ControlKind::Group:
      return new QGroupBox(this);
    case ControlKind::Radio: {
      auto* radio = new QRadioButton(this);
      radio->setAutoExclusive(false);
      if (auto it = groups_.find(window_->GroupOf(def.number)); it != groups_.end())
        it->second->addButton(radio, def.number);
      return radio;
    }
    case ControlKind::CheckBox:
      return new QCheckBox(this);
    case ControlKind::List: {
      auto* list = new QTreeWidget(this);
      list->setRootIsDecorated(false);
      list->setUniformRowHeights(true);
      list->setAllColumnsShowFocus(true);
      list->setSelectionMode(QAbstractItemView::SingleSelection);
      const std::vector<rt::ListColumn> columns = rt::ParseListFormat(def.format);
      if (!columns.empty()) {
        QStringList headers;
        for (const rt::ListColumn& c : columns) headers << FromAnsi(c.header);
        list->setColumnCount(static_cast<int>(columns.size()));
        list->setHeaderLabels(headers);
        for (std::size_t i = 0; i < columns.size(); ++i)
          if (columns[i].width > 0) list->setColumnWidth(static_cast<int>(i), units_.X(columns[i].width));
      }
      list->header()->setStretchLastSection(true);
      return list;
    }
    case ControlKind::Text: {
      // Its lines come wrapped; it scrolls with the keyboard and the wheel.
      auto* text = new QPlainTextEdit(this);
      text->setReadOnly(true);
      text->setLineWrapMode(QPlainTextEdit::NoWrap);
      text->setFrameShape(QFrame::NoFrame);
      text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      text->setBackgroundVisible(false);
      text->viewport()->setAutoFillBackground(false);
      return text;
    }
    case ControlKind::Spin: {
      auto* spin = new QSpinBox(this);
      const rt::SpinRange range = rt::PictureSpinRange(def.picture);
      spin->setRange(range.low, range.high);
      spin->setSingleStep(def.increment > 0 ? def.increment : 1);
      return spin;
    }
    case ControlKind::Sheet:
      break;
  }
  // FIXME: a sheet shows as a plain frame; no window of the program has one.
  auto* frame = new QFrame(this);
  frame->setFrameShape(QFrame::StyledPanel);
  return frame;
}

QRect NativeWindow::Geometry(const rt::ControlDef& def, QWidget* widget) const {
  // The text decides an automatic size, so it is set first.
  const QString text = FromAnsi(window_->Text(def.number));
  if (auto* label = qobject_cast<QLabel*>(widget); label && def.kind == ControlKind::Prompt) label->setText(text);
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) button->setText(text);
  const int width = def.width > 0 ? units_.X(def.width) : widget->sizeHint().width();
  const int32_t autoHeight = DefaultHeight(def.kind);
  const int height = def.height > 0 ? units_.Y(def.height)
                     : autoHeight   ? units_.Y(autoHeight)
                                    : widget->sizeHint().height();
  return QRect(units_.X(def.x), units_.Y(def.y), width, height);
}

void NativeWindow::Wire(const rt::ControlDef& def, QWidget* widget) {
  const int32_t c = def.number;
  if (auto* entry = qobject_cast<QLineEdit*>(widget))
    connect(entry, &QLineEdit::textEdited, this, [this, c](const QString& text) { UserEdited(c, text); });
  if (auto* spin = qobject_cast<QSpinBox*>(widget))
    connect(spin, &QSpinBox::valueChanged, this, [this, c](int value) { UserEdited(c, QString::number(value)); });
  if (def.kind == ControlKind::Button)
    connect(static_cast<QPushButton*>(widget), &QPushButton::clicked, this, [this, c] { UserPressed(c); });
  // A choice reaches the runtime however it is made: by key, by mouse, by a
  // screen reader's Toggle action or by Qt itself. A click on the chosen
  // radio changes nothing and is accepted all the same, as on Windows.
  if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
    connect(radio, &QAbstractButton::pressed, this, [this] { pressChose_ = false; });
    connect(radio, &QAbstractButton::toggled, this, [this, c](bool on) {
      if (!on) return;
      pressChose_ = true;
      UserChoseRadio(c);
    });
    connect(radio, &QAbstractButton::clicked, this, [this, c] {
      if (!pressChose_) UserChoseRadio(c);
    });
  }
  if (auto* check = qobject_cast<QCheckBox*>(widget))
    connect(check, &QAbstractButton::toggled, this, [this, c](bool on) { UserChecked(c, on); });
  if (auto* list = qobject_cast<QTreeWidget*>(widget)) {
    connect(list, &QTreeWidget::currentItemChanged, this, [this, c, list](QTreeWidgetItem* item) {
      UserSelectedRow(c, item ? list->indexOfTopLevelItem(item) : -1);
    });
    connect(list, &QTreeWidget::itemActivated, this, [this, c] { UserPressed(c); });
  }
}

// A prompt's access key moves to the control after it, as on Windows; the
// lines of a message box are text, not prompts, and keep their '&'.
void NativeWindow::SetBuddies() {
  if (window_->BoxInfo()) return;
  const std::vector<rt::ControlDef>& controls = window_->Def().controls;
  for (std::size_t i = 0; i + 1 < controls.size(); ++i) {
    if (controls[i].kind != ControlKind::Prompt || !TakesFocus(controls[i + 1].kind)) continue;
    static_cast<QLabel*>(controls_[controls[i].number])->setBuddy(controls_[controls[i + 1].number]);
  }
}

// The runtime lays its message box out for an average character width; the
// lines of a text with many wide letters need more. The box grows to show
// them whole, and its buttons stay centred.
void NativeWindow::FitBoxToText() {
  constexpr int32_t kBoxMargin = 7;  // the runtime's margin, in dialog units
  int widest = 0;
  for (const rt::ControlDef& c : window_->Def().controls) {
    if (c.kind != ControlKind::Prompt) continue;
    QWidget* line = controls_[c.number];
    if (line->sizeHint().width() > line->width()) line->resize(line->sizeHint().width(), line->height());
    widest = std::max(widest, line->geometry().right() + 1);
  }
  const int grow = widest + units_.X(kBoxMargin) - width();
  if (grow <= 0) return;
  setFixedSize(width() + grow, height());
  for (const rt::ControlDef& c : window_->Def().controls)
    if (c.kind == ControlKind::Button) controls_[c.number]->move(controls_[c.number]->pos() + QPoint(grow / 2, 0));
}

void NativeWindow::Present(QWidget* owner) {
  // The native window exists from here on: its handle is the runtime's
  // PropHandle and owns the message boxes shown over it.
  winId();
  if (owner && owner->isVisible() && owner->windowHandle()) windowHandle()->setTransientParent(owner->windowHandle());
  const rt::WindowDef& def = window_->Def();
  QScreen* screen = owner && owner->isVisible() ? owner->screen() : QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  QPoint at;
  if (def.x == rt::DefaultPosition || def.y == rt::DefaultPosition) {
    const QRect around = owner && owner->isVisible() ? owner->frameGeometry() : area;
    at = around.center() - QPoint(width() / 2, height() / 2);
  } else {
    at = area.topLeft() + QPoint(units_.X(def.x), units_.Y(def.y));
  }
  // Never off the screen's edge, where the title bar could not be reached.
  at.setX(std::max(area.left(), std::min(at.x(), area.right() - width())));
  at.setY(std::max(area.top(), std::min(at.y(), area.bottom() - height())));
  move(at);
  show();
  raise();
  activateWindow();
  ApplyFocus(window_->Focus());
  presented_ = true;
  lastSize_ = size();
  // The runtime hears of the window's first size, its creation, after it
  // has heard that the window opened.
  QTimer::singleShot(0, this, [this] { Post(rt::EventWindowResized, 0, rt::Window::KeepKeyCode); });
}

QWidget* NativeWindow::ControlWidget(int32_t control) const {
  auto it = controls_.find(control);
  return it == controls_.end() ? nullptr : it->second;
}

int32_t NativeWindow::ControlOf(const QObject* object) const {
  for (const QObject* o = object; o && o != this; o = o->parent()) {
    QVariant number = o->property("rtControl");
    if (number.isValid()) return number.toInt();
  }
  return 0;
}

}  // namespace qtbackend
