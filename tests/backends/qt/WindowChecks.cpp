#include "WindowChecks.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QWidget>
#include <vector>

#include "backends/qt/BoxClipboard.h"

namespace qt_test {
namespace {

std::string Name(const QWidget* w) {
  return "control " + w->objectName().toStdString() + " '" + WidgetText(w).toStdString() + "'";
}

// The width the caption needs, access marks left out.
int CaptionWidth(const QWidget* w) {
  const QString shown = QString::fromStdString(qtbackend::WithoutAccessKeys(WidgetText(w).toStdString()));
  return w->fontMetrics().horizontalAdvance(shown);
}

}  // namespace

QString WidgetText(const QWidget* widget) {
  if (auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
  if (auto* button = qobject_cast<const QAbstractButton*>(widget)) return button->text();
  if (auto* group = qobject_cast<const QGroupBox*>(widget)) return group->title();
  return {};
}

QPoint ClickPoint(QWidget* widget) {
  if (qobject_cast<QAbstractButton*>(widget) && !qobject_cast<QPushButton*>(widget))
    return QPoint(std::min(8, widget->width() / 2), widget->height() / 2);
  if (qobject_cast<QSpinBox*>(widget)) return QPoint(widget->width() / 4, widget->height() / 2);
  return widget->rect().center();
}

void TypeText(QWidget* widget, const QString& text) {
  for (QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
  }
}

void ExpectTidyLayout(const QWidget* window) {
  std::vector<const QWidget*> controls;
  for (const QWidget* w : window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
    if (w->isVisible() && w->property("rtControl").isValid()) controls.push_back(w);
  ASSERT_FALSE(controls.empty());
  for (const QWidget* w : controls) {
    EXPECT_TRUE(window->rect().contains(w->geometry())) << Name(w) << " reaches outside the window";
    if (WidgetText(w).isEmpty()) continue;
    if (qobject_cast<const QPushButton*>(w)) {
      EXPECT_LE(CaptionWidth(w) + 8, w->width()) << Name(w) << " cuts its caption";
    } else if (qobject_cast<const QGroupBox*>(w)) {
      EXPECT_LE(CaptionWidth(w) + 8, w->width()) << Name(w) << " cuts its title";
    } else {
      EXPECT_LE(w->sizeHint().width(), w->width()) << Name(w) << " cuts its text";
      EXPECT_LE(w->fontMetrics().height(), w->height()) << Name(w) << " is lower than its text";
    }
  }
  for (std::size_t i = 0; i < controls.size(); ++i)
    for (std::size_t j = i + 1; j < controls.size(); ++j) {
      const QRect a = controls[i]->geometry(), b = controls[j]->geometry();
      const bool held = (qobject_cast<const QGroupBox*>(controls[i]) && a.contains(b)) ||
                        (qobject_cast<const QGroupBox*>(controls[j]) && b.contains(a));
      EXPECT_TRUE(held || !a.intersects(b)) << Name(controls[i]) << " overlaps " << Name(controls[j]);
    }
}

}  // namespace qt_test
