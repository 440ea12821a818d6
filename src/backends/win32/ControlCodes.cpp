#include "backends/win32/ControlCodes.h"

#include <string>

#include "runtime/MessageBox.h"
#include "runtime/Text.h"

namespace win32 {
namespace {

constexpr int32_t kArrowCursor = 32512;
// The system cursors are numbered 32512 (the arrow) to 32651 (help).
constexpr int32_t kLastCursor = 32651;

}  // namespace

StockIcon IconOfCode(std::string_view code) {
  std::string clipped = rt::Clip(code);
  if (clipped == rt::IconHand) return StockIcon::Hand;
  if (clipped == rt::IconQuestion) return StockIcon::Question;
  if (clipped == rt::IconExclamation) return StockIcon::Exclamation;
  if (clipped == rt::IconAsterisk) return StockIcon::Asterisk;
  return StockIcon::None;
}

int32_t CursorOfCode(std::string_view code) {
  std::string clipped = rt::Clip(code);
  if (clipped.size() != 4 || static_cast<uint8_t>(clipped[0]) != 0xFF || clipped[1] != 0x02) return kArrowCursor;
  int32_t number = (static_cast<uint8_t>(clipped[3]) << 8 | static_cast<uint8_t>(clipped[2])) - 1;
  return number >= kArrowCursor && number <= kLastCursor ? number : kArrowCursor;
}

int32_t KeyCodeOf(int32_t virtualKey, bool shift, bool ctrl, bool alt) {
  return (virtualKey & 0xFF) + (shift ? 256 : 0) + (ctrl ? 512 : 0) + (alt ? 1024 : 0);
}

SpinRange SpinRangeOf(std::string_view picture) {
  if (picture.empty() || (picture[0] != 'n' && picture[0] != 'N')) return {0, 32767};
  std::size_t at = 1;
  bool negative = at < picture.size() && picture[at] == '-';
  if (negative) ++at;
  int32_t digits = 0;
  while (at < picture.size() && picture[at] >= '0' && picture[at] <= '9') {
    digits = digits * 10 + (picture[at++] - '0');
    if (digits > 99) digits = 99;
  }
  int32_t decimals = 0;
  if (at < picture.size() && picture[at] == '.') {
    ++at;
    while (at < picture.size() && picture[at] >= '0' && picture[at] <= '9') {
      decimals = decimals * 10 + (picture[at++] - '0');
      if (decimals > 99) decimals = 99;
    }
  }
  // As the runtime counts them, the digits of "n5.2" include the decimals.
  int32_t whole = digits > decimals ? digits - decimals : digits;
  if (whole == 0) return {negative ? -32767 : 0, 32767};
  int64_t high = 1;
  for (int32_t i = 0; i < whole && high <= INT32_MAX; ++i) high *= 10;
  high -= 1;
  if (high > INT32_MAX) high = INT32_MAX;
  int32_t top = static_cast<int32_t>(high);
  return {negative ? -top : 0, top};
}

}  // namespace win32
