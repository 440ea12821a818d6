// Message text: placeholder substitution and the expansion of the current
// entry's template.
#include <algorithm>
#include <cstring>
#include <string>

#include "framework/error/ErrorManager.h"
#include "framework/error/ReplaceAll.h"
#include "runtime/Text.h"

namespace quibra {

namespace {

// The expansion works in a buffer of this many bytes (1999 characters).
constexpr std::size_t kExpandCapacity = 2000;
// The file error text stands in for the error text when the error code says
// the driver failed.
constexpr int32_t kFileSystemErrorCode = 90;

// The same upper-casing as rt::Upper: ASCII letters only.
inline char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::size_t FindNoCase(const char* text, std::size_t length, std::string_view what, std::size_t from) {
  if (what.size() > length) return std::string_view::npos;
  const char first = UpperAscii(what[0]);
  for (std::size_t i = from; i + what.size() <= length; ++i) {
    if (UpperAscii(text[i]) != first) continue;
    std::size_t k = 1;
    while (k < what.size() && UpperAscii(text[i + k]) == UpperAscii(what[k])) ++k;
    if (k == what.size()) return i;
  }
  return std::string_view::npos;
}

}  // namespace

void ReplaceAll(char* buffer, std::size_t capacity, std::string_view placeholder, std::string_view value) {
  if (capacity == 0 || placeholder.empty()) return;
  const std::size_t limit = capacity - 1;
  // A buffer that arrives without its terminator is taken as full.
  const void* end = std::memchr(buffer, 0, limit);
  std::size_t length = end ? static_cast<std::size_t>(static_cast<const char*>(end) - buffer) : limit;
  buffer[length] = 0;
  std::size_t start = 0;
  for (;;) {
    const std::size_t at = FindNoCase(buffer, length, placeholder, start);
    if (at == std::string_view::npos) return;
    // The value and the rest of the text after it, cut where the buffer
    // ends, never inside a character.
    std::string rest(value);
    rest.append(buffer + at + placeholder.size(), length - (at + placeholder.size()));
    const std::size_t kept = rt::FitBytes(rest, limit - at);
    std::memcpy(buffer + at, rest.data(), kept);
    length = at + kept;
    buffer[length] = 0;
    start = at + value.size();
    if (start >= length) return;
  }
}

std::string ErrorManager::ExpandText() {
  // A copy: the steps below look entries up, which moves the list's buffer.
  const ErrorEntry entry = CurrentEntry();
  char buffer[kExpandCapacity];
  rt::StoreCString(buffer, sizeof buffer, entry.MESSAGE);

  const std::string errorCode = std::to_string(SAVEERRORCODE);
  std::string errorText;
  if (SAVEERRORCODE == kFileSystemErrorCode)
    errorText = SAVEFILEERROR.str() + " (" + SAVEFILEERRORCODE.str() + ")";
  else
    errorText = SAVEERROR.str() + " (" + errorCode + ")";

  // Longer placeholders go before the shorter ones they begin with.
  ReplaceAll(buffer, sizeof buffer, "%FileErrorCode", SAVEFILEERRORCODE.view());
  ReplaceAll(buffer, sizeof buffer, "%FileError", SAVEFILEERROR.view());
  ReplaceAll(buffer, sizeof buffer, "%File", FILENAME.view());
  ReplaceAll(buffer, sizeof buffer, "%ErrorCode", errorCode);
  ReplaceAll(buffer, sizeof buffer, "%ErrorText", errorText);
  ReplaceAll(buffer, sizeof buffer, "%Error", SAVEERROR.view());
  ReplaceAll(buffer, sizeof buffer, "%Message", MESSAGETEXT.view());
  ReplaceAll(buffer, sizeof buffer, "%Field", FIELDNAME.view());
  ReplaceAll(buffer, sizeof buffer, "%Procedure", CurrentProcedure());
  ReplaceAll(buffer, sizeof buffer, "%Category", entry.CATEGORY);

  // "%Previous" brings in the definition this entry replaced, as stored.
  // Only the exact spelling asks for it.
  if (std::strstr(buffer, "%Previous") != nullptr) {
    std::string_view previous;
    if (!unknownCurrent_ && ERRORS) {
      for (int32_t n = ERRORS->Pointer() - 1; n >= 1; --n) {
        if (ERRORS->At(n).ID == entry.ID) {
          previous = ERRORS->At(n).MESSAGE;
          break;
        }
      }
    }
    ReplaceAll(buffer, sizeof buffer, "%Previous", previous);
  }
  return buffer;
}

}  // namespace quibra
