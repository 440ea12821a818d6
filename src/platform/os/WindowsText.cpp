// The program's texts on Windows: the code page of its "A" calls, converted
// by the system as those calls convert them.
// clang-format off
#include "platform/Unicode.h"
#include <windows.h>
// clang-format on
#include <climits>

namespace os {

std::u16string TextToUtf16(std::string_view text) {
  std::u16string out;
  // The system converts at most INT_MAX units at a time; settings files are
  // held far below that (64 MB).
  if (text.empty() || text.size() > INT_MAX) return out;
  const int size = static_cast<int>(text.size());
  const int units = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  if (units <= 0) return out;
  out.resize(static_cast<std::size_t>(units));
  MultiByteToWideChar(CP_ACP, 0, text.data(), size, reinterpret_cast<wchar_t*>(out.data()), units);
  return out;
}

std::string Utf16ToText(std::u16string_view text) {
  std::string out;
  if (text.empty() || text.size() > INT_MAX) return out;
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int size = static_cast<int>(text.size());
  const int bytes = WideCharToMultiByte(CP_ACP, 0, wide, size, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return out;
  out.resize(static_cast<std::size_t>(bytes));
  WideCharToMultiByte(CP_ACP, 0, wide, size, out.data(), bytes, nullptr, nullptr);
  return out;
}

}  // namespace os
