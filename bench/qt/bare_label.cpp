// The toolkit's floor in the start-up benchmark: the least a Qt Widgets
// program does to put one window on the screen, a QLabel with the text.
//
//   bare_label [text]
#include <QApplication>
#include <QLabel>
#include <QString>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QLabel label(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("hi"));
  label.show();
  return app.exec();
}
