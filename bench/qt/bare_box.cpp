// The yardstick of the start-up benchmark: the least a Qt program does to
// show one message box, here the box that `quibrad --info --text TEXT` shows.
//
//   bare_box [text]
#include <QApplication>
#include <QMessageBox>
#include <QString>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // QApplication has taken its own options out of argv by now.
  const QString text = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("hi");
  QMessageBox::information(nullptr, QStringLiteral("Information"), text);
  return 0;
}
