#pragma once
// A push button that may draw another caption than the one it is read by: a
// box's default button counting down draws "OK (5)" while a screen reader
// reads it "OK", as a changed text would rename it every second.
#include <QPushButton>

namespace qtbackend {

class CaptionButton : public QPushButton {
 public:
  using QPushButton::QPushButton;
  // The caption drawn in place of the text; the text itself, or empty, draws
  // the text.
  void SetDrawnText(const QString& drawn);
  QString DrawnText() const { return drawn_.isEmpty() ? text() : drawn_; }
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  QString drawn_;
};

}  // namespace qtbackend
