#include "composer/NativeMessageHook.h"

#include <cstring>

#include "platform/Win32Api.h"
#include "runtime/BoxRules.h"
#include "runtime/MessageBox.h"
#include "runtime/Property.h"
#include "runtime/Text.h"

namespace quibra {
namespace {

static_assert(os::MB_TIMEDOUT == rt::BoxTimedOut, "a native box's time-out is the runtime's");

constexpr std::size_t kTextBufferBytes = 512;  // 511 characters and the terminator
constexpr std::size_t kCaptionBufferBytes = 64;

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

std::string NativeBoxText(const std::string& text) {
  std::string native;
  for (char c : rt::Clip(text)) native += c == '|' ? std::string("\r\n") : std::string(1, c);
  native.resize(rt::FitBytes(native, kTextBufferBytes - 1));
  return native;
}

std::string NativeBoxTitle(const std::string& caption) {
  std::string native = rt::Clip(caption);
  native.resize(rt::FitBytes(native, kCaptionBufferBytes - 1));
  return native;
}

int32_t NativeMessageHook(const std::string& text, const std::string& caption, const std::string& icon,
                          const std::string& buttons, uint8_t captionOmitted, uint8_t, uint8_t, int32_t defaultButton,
                          int32_t style) {
  CallStorage storage;
  storage.buffer = static_cast<char*>(os::HeapAlloc(storage.heap, 0, kTextBufferBytes));
  if (!storage.buffer) return 0;
  const std::string nativeText = NativeBoxText(text);
  std::memcpy(storage.buffer, nativeText.c_str(), nativeText.size() + 1);

  char captionBuffer[kCaptionBufferBytes] = {};
  if (!captionOmitted) rt::StoreCString(captionBuffer, sizeof captionBuffer, NativeBoxTitle(caption));

  // An omitted icon or button set arrives empty: no icon, and OK.
  const os::UINT flags = rt::NativeFlags(
      {.icon = icon, .buttons = rt::ButtonSetNumber(buttons), .defaultButton = defaultButton, .style = style});

  storage.textCopy = storage.CopyToProcessHeap(storage.buffer);
  if (!storage.textCopy) return 0;
  storage.captionCopy = storage.CopyToProcessHeap(captionBuffer);
  if (!storage.captionCopy) return 0;

  int64_t owner = rt::GetProperty(0, rt::PropHandle).Number();
  const auto ownerWindow = reinterpret_cast<os::HWND>(static_cast<intptr_t>(owner));
  const int32_t seconds = rt::ShownBoxTimeout();
  const int32_t result = seconds > 0 ? os::CountdownMessageBoxA(ownerWindow, storage.textCopy, storage.captionCopy,
                                                                flags, static_cast<os::UINT>(seconds))
                                     : os::MessageBoxA(ownerWindow, storage.textCopy, storage.captionCopy, flags);
  // A result that is no button's (0 when the box failed, MB_TIMEDOUT, which
  // is the runtime's BoxTimedOut) is returned as it is.
  const int32_t button = rt::ButtonOfNativeId(result);
  return button ? button : result;
}

}  // namespace quibra
