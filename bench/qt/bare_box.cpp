// The yardstick of the start-up benchmark: the least a Qt program does to
// show one message box.
#include <QApplication>
#include <QMessageBox>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMessageBox::information(nullptr, QString(), QStringLiteral("OvQuibra Demo"));
  return 0;
}
