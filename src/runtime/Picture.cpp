#include "runtime/Picture.h"

#include <algorithm>
#include <cstdint>

namespace rt {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads a run of digits at `at` as a number, held at 2^31 - 1 (more than any
// text holds) rather than wrapping; `at` moves past them.
std::size_t ReadCount(std::string_view text, std::size_t& at) {
  uint64_t n = 0;
  while (at < text.size() && IsDigit(text[at]))
    n = std::min<uint64_t>(INT32_MAX, n * 10 + static_cast<uint64_t>(text[at++] - '0'));
  return static_cast<std::size_t>(n);
}

struct NumberPicture {
  bool negative = false;
  std::size_t digits = 0;
  std::size_t decimals = 0;
};

NumberPicture ParseNumber(std::string_view picture) {
  NumberPicture p;
  std::size_t at = 1;
  if (at < picture.size() && picture[at] == '-') {
    p.negative = true;
    ++at;
  }
  p.digits = ReadCount(picture, at);
  if (at < picture.size() && picture[at] == '.') {
    ++at;
    p.decimals = ReadCount(picture, at);
  }
  return p;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// The digit count of "n5.2" includes the decimals, as pictures count them.
std::size_t WholeDigits(const NumberPicture& p) { return p.digits > p.decimals ? p.digits - p.decimals : p.digits; }

bool NumberAccepts(const NumberPicture& p, std::string_view text) {
  text = Trim(text);
  if (text.empty()) return true;
  std::size_t at = 0;
  if (text[0] == '-') {
    if (!p.negative) return false;
    ++at;
  } else if (text[0] == '+') {
    ++at;
  }
  std::size_t whole = 0, fraction = 0;
  while (at < text.size() && IsDigit(text[at])) ++at, ++whole;
  if (at < text.size() && text[at] == '.') {
    ++at;
    while (at < text.size() && IsDigit(text[at])) ++at, ++fraction;
    if (fraction == 0 && whole == 0) return false;
  }
  if (at != text.size() || (whole == 0 && fraction == 0)) return false;
  return (p.digits == 0 || whole <= WholeDigits(p)) && fraction <= p.decimals;
}

// 10^digits - 1, held at 2^31 - 1.
int32_t Nines(std::size_t digits) {
  int64_t top = 1;
  for (std::size_t i = 0; i < digits && top <= INT32_MAX; ++i) top *= 10;
  return static_cast<int32_t>(std::min<int64_t>(top - 1, INT32_MAX));
}

}  // namespace

bool PictureAccepts(std::string_view picture, std::string_view contents) {
  if (picture.empty()) return true;
  char kind = picture[0];
  if (kind == 's' || kind == 'S') {
    std::size_t limit = PictureTextLimit(picture);
    return limit == 0 || contents.size() <= limit || Trim(contents.substr(limit)).empty();
  }
  if (kind == 'n' || kind == 'N') return NumberAccepts(ParseNumber(picture), contents);
  return true;
}

std::size_t PictureTextLimit(std::string_view picture) {
  if (picture.empty() || (picture[0] != 's' && picture[0] != 'S')) return 0;
  std::size_t at = 1;
  return ReadCount(picture, at);
}

SpinRange PictureSpinRange(std::string_view picture) {
  const char kind = picture.empty() ? 0 : picture[0];
  if (kind == 'n' || kind == 'N') {
    const NumberPicture p = ParseNumber(picture);
    const int32_t top = p.digits == 0 ? INT32_MAX : Nines(WholeDigits(p));
    return {p.negative ? -top : 0, top};
  }
  const std::size_t characters = PictureTextLimit(picture);
  if (characters == 0) return {-INT32_MAX, INT32_MAX};
  return {-Nines(characters - 1), Nines(characters)};
}

}  // namespace rt
