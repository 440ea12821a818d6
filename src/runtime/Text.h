#pragma once
// Texts of the runtime: fixed-length fields (space padded, cut on store,
// clipped of trailing spaces before use) and zero-terminated fields of a
// stated capacity (a 255-byte field holds 254 characters).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace rt {

// The text without its trailing spaces.
std::string Clip(std::string_view text);
// ASCII upper-casing; bytes outside ASCII are left as they are.
std::string Upper(std::string_view text);

// The program's texts are UTF-8 on Linux, as every Linux desktop's are, and
// on Windows where the system runs the program in the UTF-8 code page; else
// they are the Windows code page, one byte a character. These keep a cut or a
// count from splitting a character of several bytes.
//
// How many of the text's bytes fit in `bytes` without cutting a character in
// two; bytes that are not UTF-8 (an older file's Western text) count one each.
std::size_t FitBytes(std::string_view text, std::size_t bytes);
// How many characters the text shows.
std::size_t TextColumns(std::string_view text);
// How many bytes the first `columns` characters of the text take.
std::size_t ColumnBytes(std::string_view text, std::size_t columns);

// Stores text into a fixed-length field of `length` bytes: what does not fit
// is cut (never inside a character), the rest is padded with spaces.
void StoreFixed(char* field, std::size_t length, std::string_view text);
// Stores text into a zero-terminated field of `capacity` bytes (terminator
// included): at most capacity - 1 bytes are kept, never part of a character.
void StoreCString(char* field, std::size_t capacity, std::string_view text);

// A fixed-length text field of N bytes: space padded, never terminated.
template <std::size_t N>
struct FixedString {
  char data[N];

  FixedString() { StoreFixed(data, N, {}); }
  FixedString(std::string_view text) { StoreFixed(data, N, text); }
  FixedString& operator=(std::string_view text) {
    StoreFixed(data, N, text);
    return *this;
  }
  static constexpr std::size_t size() { return N; }
  // All N bytes, padding included.
  std::string_view raw() const { return {data, N}; }
  // The contents without trailing spaces, as used.
  std::string clipped() const { return Clip(raw()); }
  bool blank() const { return clipped().empty(); }
};

// A zero-terminated text field of N bytes (at most N - 1 characters).
template <std::size_t N>
struct CString {
  static_assert(N > 0);
  char data[N] = {};

  CString() = default;
  CString(std::string_view text) { StoreCString(data, N, text); }
  CString& operator=(std::string_view text) {
    StoreCString(data, N, text);
    return *this;
  }
  static constexpr std::size_t capacity() { return N; }
  std::string_view view() const { return {data}; }
  std::string str() const { return std::string(view()); }
  bool empty() const { return data[0] == 0; }
};

// Text to number as the runtime converts it: leading blanks skipped, an
// optional sign, then decimal digits; anything else ends the number. A text
// with no digits gives 0.
int64_t ToNumber(std::string_view text);

}  // namespace rt
