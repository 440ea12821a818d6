#include "backends/qt/KeyCodes.h"

#include <Qt>

#include "runtime/Events.h"

namespace qtbackend {
namespace {

struct KeyRow {
  int qt;
  int32_t code;
};

constexpr KeyRow kKeys[] = {
    {Qt::Key_Backspace, 8},
    {Qt::Key_Tab, rt::KeyTab},
    {Qt::Key_Backtab, rt::KeyTab},
    {Qt::Key_Return, rt::KeyEnter},
    {Qt::Key_Enter, rt::KeyEnter},
    {Qt::Key_Escape, rt::KeyEscape},
    {Qt::Key_Space, 32},
    {Qt::Key_PageUp, 33},
    {Qt::Key_PageDown, 34},
    {Qt::Key_End, 35},
    {Qt::Key_Home, 36},
    {Qt::Key_Left, 37},
    {Qt::Key_Up, 38},
    {Qt::Key_Right, 39},
    {Qt::Key_Down, 40},
    {Qt::Key_Insert, 45},
    {Qt::Key_Delete, 46},
};

}  // namespace

int32_t KeyCodeOf(int qtKey) {
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return '0' + (qtKey - Qt::Key_0);
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return 'A' + (qtKey - Qt::Key_A);
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return 112 + (qtKey - Qt::Key_F1);
  for (const KeyRow& k : kKeys)
    if (k.qt == qtKey) return k.code;
  return 0;
}

}  // namespace qtbackend
