#include "runtime/Text.h"

#include <algorithm>
#include <cstring>

#include "platform/ThisOs.h"

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

namespace {

bool Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// How many bytes the character that starts at `at` takes. A lead byte
// followed by too few continuation bytes starts no character: such bytes are
// Western text, one character each, and so is a continuation byte alone.
std::size_t CharacterBytes(std::string_view text, std::size_t at) {
  const auto b = static_cast<unsigned char>(text[at]);
  const std::size_t length = b >= 0xF8 ? 1 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
  std::size_t whole = 1;
  while (whole < length && at + whole < text.size() && Continuation(text[at + whole])) ++whole;
  return whole == length ? length : 1;
}

}  // namespace

std::size_t FitBytes(std::string_view text, std::size_t bytes) {
  if (text.size() <= bytes) return text.size();
  // A cut before a byte that starts a character splits nothing.
  if (!os::TextIsUtf8() || !Continuation(text[bytes])) return bytes;
  // Back to the start of the character the cut would split.
  for (std::size_t back = 1; back <= 3 && back <= bytes; ++back) {
    const std::size_t lead = bytes - back;
    if (Continuation(text[lead])) continue;
    return lead + CharacterBytes(text, lead) > bytes ? lead : bytes;
  }
  return bytes;
}

std::size_t TextColumns(std::string_view text) {
  if (!os::TextIsUtf8()) return text.size();
  std::size_t columns = 0;
  for (std::size_t at = 0; at < text.size(); at += CharacterBytes(text, at)) ++columns;
  return columns;
}

std::size_t ColumnBytes(std::string_view text, std::size_t columns) {
  if (!os::TextIsUtf8()) return std::min(columns, text.size());
  std::size_t at = 0;
  for (std::size_t seen = 0; at < text.size() && seen < columns; ++seen) at += CharacterBytes(text, at);
  return at;
}

void StoreFixed(char* field, std::size_t length, std::string_view text) {
  std::size_t n = FitBytes(text, length);
  if (n) std::memcpy(field, text.data(), n);
  std::memset(field + n, ' ', length - n);
}

void StoreCString(char* field, std::size_t capacity, std::string_view text) {
  if (capacity == 0) return;
  std::size_t n = FitBytes(text, capacity - 1);
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
