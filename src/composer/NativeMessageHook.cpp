#include "composer/NativeMessageHook.h"

#include <cstring>

#include "platform/Win32Api.h"
#include "runtime/BoxRules.h"
#include "runtime/MessageBox.h"
#include "runtime/Property.h"
#include "runtime/Text.h"

namespace quibra {
namespace {

constexpr std::size_t kTextBufferBytes = 512;  // 511 characters and the terminator
constexpr std::size_t kCaptionBufferBytes = 64;

// Appends to a zero-terminated buffer, keeping what fits.
void Append(char* buffer, std::size_t capacity, std::size_t& length, std::string_view more) {
  std::size_t n = std::min(more.size(), capacity - 1 - length);
  std::memcpy(buffer + length, more.data(), n);
  length += n;
  buffer[length] = 0;
}

// The text without its trailing blanks, each '|' turned into CR LF.
void ExpandLineBreaks(char* buffer, std::size_t capacity, const std::string& text) {
  std::size_t length = 0;
  buffer[0] = 0;
  for (char c : rt::Clip(text))
    Append(buffer, capacity, length, c == '|' ? std::string_view("\r\n") : std::string_view(&c, 1));
}

// The call's heap blocks, freed in the order the call took them (the text
// copy, the caption copy, then the text buffer) on every way out.
struct CallStorage {
  os::HANDLE heap = os::GetProcessHeap();
  char* buffer = nullptr;
  char* textCopy = nullptr;
  char* captionCopy = nullptr;

  ~CallStorage() {
    if (textCopy) os::HeapFree(heap, 0, textCopy);
    if (captionCopy) os::HeapFree(heap, 0, captionCopy);
    if (buffer) os::HeapFree(heap, 0, buffer);
  }
  char* CopyToProcessHeap(const char* content) {
    int32_t length = os::lstrlenA(content);
    char* copy = static_cast<char*>(os::HeapAlloc(heap, 0, static_cast<os::SIZE_T>(length) + 1));
    if (copy) os::lstrcpyA(copy, content);
    return copy;
  }
};

}  // namespace

int32_t NativeMessageHook(const std::string& text, const std::string& caption, const std::string& icon,
                          const std::string& buttons, uint8_t captionOmitted, uint8_t, uint8_t, int32_t defaultButton,
                          int32_t style) {
  CallStorage storage;
  storage.buffer = static_cast<char*>(os::HeapAlloc(storage.heap, 0, kTextBufferBytes));
  if (!storage.buffer) return 0;
  ExpandLineBreaks(storage.buffer, kTextBufferBytes, text);

  char captionBuffer[kCaptionBufferBytes] = {};
  if (!captionOmitted) rt::StoreCString(captionBuffer, sizeof captionBuffer, rt::Clip(caption));

  // An omitted icon or button set arrives empty: no icon, and OK.
  const os::UINT flags = rt::NativeFlags(
      {.icon = icon, .buttons = rt::ButtonSetNumber(buttons), .defaultButton = defaultButton, .style = style});

  storage.textCopy = storage.CopyToProcessHeap(storage.buffer);
  if (!storage.textCopy) return 0;
  storage.captionCopy = storage.CopyToProcessHeap(captionBuffer);
  if (!storage.captionCopy) return 0;

  int64_t owner = rt::GetProperty(0, rt::PropHandle).Number();
  int32_t result = os::MessageBoxA(reinterpret_cast<os::HWND>(static_cast<intptr_t>(owner)), storage.textCopy,
                                   storage.captionCopy, flags);
  // A result that is no button's (0 when the box failed) is returned as it is.
  const int32_t button = rt::ButtonOfNativeId(result);
  return button ? button : result;
}

}  // namespace quibra
