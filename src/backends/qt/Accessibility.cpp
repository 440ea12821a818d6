#include "backends/qt/Accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QRadioButton>
#include <algorithm>
#include <vector>

#include "backends/qt/AnsiText.h"
#include "backends/qt/NativeWindow.h"
#include "runtime/BoxRules.h"
#include "runtime/Window.h"

namespace qtbackend {
namespace {

std::vector<int32_t> BoxLines(const NativeWindow& window) {
  const rt::Window* w = window.RuntimeWindow();
  return w ? w->BoxLines() : std::vector<int32_t>{};
}

NativeWindow* NativeWindowOf(const QWidget* widget) {
  return widget ? dynamic_cast<NativeWindow*>(widget->window()) : nullptr;
}

// A runtime window: a dialog, or an alert for a message box, named by its
// title (a window without one by the program's name, as its title bar
// shows). The lines of a message box after the first are left out: the
// first reads the whole text.
class WindowAccessible : public QAccessibleWidget {
 public:
  explicit WindowAccessible(NativeWindow* window)
      : QAccessibleWidget(window, window->RuntimeWindow() && window->RuntimeWindow()->BoxInfo()
                                      ? QAccessible::AlertMessage
                                      : QAccessible::Dialog) {}

  QString text(QAccessible::Text t) const override {
    QString text = QAccessibleWidget::text(t);
    if (t == QAccessible::Name && text.isEmpty()) text = QGuiApplication::applicationDisplayName();
    return text;
  }
  int childCount() const override { return static_cast<int>(Children().size()); }
  QAccessibleInterface* child(int index) const override {
    const std::vector<QAccessibleInterface*> children = Children();
    return index >= 0 && index < static_cast<int>(children.size()) ? children[index] : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    const std::vector<QAccessibleInterface*> children = Children();
    for (std::size_t i = 0; i < children.size(); ++i)
      if (children[i] == child) return static_cast<int>(i);
    return -1;
  }

 private:
  std::vector<QAccessibleInterface*> Children() const {
    const auto* window = static_cast<const NativeWindow*>(widget());
    const std::vector<int32_t> lines = BoxLines(*window);
    std::vector<QAccessibleInterface*> children;
    for (int i = 0, count = QAccessibleWidget::childCount(); i < count; ++i) {
      QAccessibleInterface* child = QAccessibleWidget::child(i);
      const int32_t control = child ? window->ControlOf(child->object()) : 0;
      if (child && (lines.size() < 2 || std::find(lines.begin() + 1, lines.end(), control) == lines.end()))
        children.push_back(child);
    }
    return children;
  }
};

// The first line of a message box, read as the box's whole text.
class BoxTextAccessible : public QAccessibleWidget {
 public:
  explicit BoxTextAccessible(QLabel* line) : QAccessibleWidget(line, QAccessible::StaticText) {}

  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name) return QAccessibleWidget::text(t);
    const NativeWindow* window = NativeWindowOf(widget());
    if (!window || !window->RuntimeWindow()) return static_cast<QLabel*>(widget())->text();
    QStringList lines;
    for (int32_t line : BoxLines(*window)) lines << FromAnsi(window->RuntimeWindow()->Text(line));
    return lines.join(QLatin1Char('\n'));
  }
};

// A radio of an option group. The backend keeps a group's radios exclusive
// itself, so Qt's own interface, which takes a radio that is not exclusive
// by itself for a check box, does not fit.
class RadioAccessible : public QAccessibleWidget {
 public:
  explicit RadioAccessible(QRadioButton* radio) : QAccessibleWidget(radio, QAccessible::RadioButton) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
      return FromAnsi(rt::WithoutAccessKeys(ToAnsi(Radio()->text())));
    return QAccessibleWidget::text(t);
  }
  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.checkable = true;
    s.checked = Radio()->isChecked();
    return s;
  }
  QStringList actionNames() const override {
    return QStringList{pressAction(), toggleAction()} + QAccessibleWidget::actionNames();
  }
  void doAction(const QString& action) override {
    if (!widget()->isEnabled()) return;
    if (action == pressAction())
      Radio()->click();
    else if (action == toggleAction())
      Radio()->toggle();
    else
      QAccessibleWidget::doAction(action);
  }
  // Its option group names the choice it is one of.
  QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(QAccessible::Relation match) const override {
    auto relations = QAccessibleWidget::relations(match);
    if (!(match & QAccessible::Label)) return relations;
    const NativeWindow* window = NativeWindowOf(widget());
    const rt::Window* w = window ? window->RuntimeWindow() : nullptr;
    auto* group =
        w ? qobject_cast<QGroupBox*>(window->ControlWidget(w->GroupOf(window->ControlOf(widget())))) : nullptr;
    if (group && !group->title().isEmpty())
      relations.append({QAccessible::queryAccessibleInterface(group), QAccessible::Label});
    return relations;
  }

 private:
  QRadioButton* Radio() const { return static_cast<QRadioButton*>(widget()); }
};

QAccessibleInterface* Interface(const QString&, QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  if (auto* window = dynamic_cast<NativeWindow*>(widget)) return new WindowAccessible(window);
  NativeWindow* window = NativeWindowOf(widget);
  if (!window) return nullptr;
  if (auto* radio = qobject_cast<QRadioButton*>(widget)) return new RadioAccessible(radio);
  const std::vector<int32_t> lines = BoxLines(*window);
  if (auto* label = qobject_cast<QLabel*>(widget); label && !lines.empty() && window->ControlOf(label) == lines[0])
    return new BoxTextAccessible(label);
  return nullptr;
}

}  // namespace

void InstallAccessibility() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  QAccessible::installFactory(&Interface);
}

}  // namespace qtbackend
