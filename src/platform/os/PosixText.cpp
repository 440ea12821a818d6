// The program's texts where there is no Windows: UTF-8.
#include "platform/Unicode.h"

namespace os {

std::u16string TextToUtf16(std::string_view text) { return Utf8ToUtf16(text); }

std::string Utf16ToText(std::u16string_view text) { return Utf16ToUtf8(text); }

}  // namespace os
