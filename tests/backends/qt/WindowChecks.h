#pragma once
// Checks on windows as a user sees them, shared by the Qt backend's tests.
#include <QPoint>
#include <QString>

class QWidget;

namespace qt_test {

// The caption a control shows: a prompt's or button's text, a group's title;
// empty for entries, spins, lists and images.
QString WidgetText(const QWidget* widget);
// Where a click lands on a control: radios and check boxes on their
// indicator, spins on their text, anything else in its middle.
QPoint ClickPoint(QWidget* widget);
// Types the text into the widget one character at a time, as a keyboard
// does: any character, not only those with a key of their own.
void TypeText(QWidget* widget, const QString& text);
// Every visible control lies inside the window, shows its whole caption, and
// overlaps no other control (a group may hold the controls inside it).
void ExpectTidyLayout(const QWidget* window);

}  // namespace qt_test
