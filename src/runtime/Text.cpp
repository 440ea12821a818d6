#include "runtime/Text.h"

#include <algorithm>
#include <cstring>

namespace rt {

std::string Clip(std::string_view text) {
  std::size_t end = text.size();
  while (end > 0 && text[end - 1] == ' ') --end;
  return std::string(text.substr(0, end));
}

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

void StoreFixed(char* field, std::size_t length, std::string_view text) {
  std::size_t n = std::min(length, text.size());
  if (n) std::memcpy(field, text.data(), n);
  std::memset(field + n, ' ', length - n);
}

void StoreCString(char* field, std::size_t capacity, std::string_view text) {
  if (capacity == 0) return;
  std::size_t n = std::min(capacity - 1, text.size());
  if (n) std::memmove(field, text.data(), n);
  field[n] = 0;
}

int64_t ToNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (value > (INT64_MAX - 9) / 10) break;  // saturate rather than overflow
    value = value * 10 + (text[i] - '0');
  }
  return negative ? -value : value;
}

}  // namespace rt
