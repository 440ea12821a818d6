#include "runtime/Picture.h"

#include <cstdint>

namespace rt {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads a run of digits at `at` as a number; `at` moves past them.
std::size_t ReadCount(std::string_view text, std::size_t& at) {
  std::size_t n = 0;
  while (at < text.size() && IsDigit(text[at])) n = n * 10 + static_cast<std::size_t>(text[at++] - '0');
  return n;
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
  // The digit count of "n5.2" includes the decimals, as pictures count them.
  std::size_t wholeLimit = p.digits > p.decimals ? p.digits - p.decimals : p.digits;
  return (p.digits == 0 || whole <= wholeLimit) && fraction <= p.decimals;
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

}  // namespace rt
