#include "composer/NativeMessageHook.h"

#include <cstring>

#include "platform/Win32Api.h"
#include "runtime/MessageBox.h"
#include "runtime/Property.h"
#include "runtime/Text.h"

namespace quibra {
namespace {

constexpr std::size_t kTextBufferBytes = 512;  // 511 characters and the terminator
constexpr std::size_t kCaptionBufferBytes = 64;

// Each recognised button set, with the ButtonSet value of the button in the
// second and third place (0 where there is none): a default names a place
// either by its number or by that value.
struct ButtonSetRow {
  int32_t set;
  os::UINT type;
  int32_t second;
  int32_t third;
};

constexpr ButtonSetRow kButtonSets[] = {
    {rt::ButtonOk, os::MB_OK, 0, 0},
    {rt::ButtonOk + rt::ButtonCancel, os::MB_OKCANCEL, rt::ButtonCancel, 0},
    {rt::ButtonYes + rt::ButtonNo, os::MB_YESNO, rt::ButtonNo, 0},
    {rt::ButtonYes + rt::ButtonNo + rt::ButtonCancel, os::MB_YESNOCANCEL, rt::ButtonNo, rt::ButtonCancel},
    {rt::ButtonAbort + rt::ButtonRetry + rt::ButtonIgnore, os::MB_ABORTRETRYIGNORE, rt::ButtonRetry, rt::ButtonIgnore},
    {rt::ButtonRetry + rt::ButtonCancel, os::MB_RETRYCANCEL, rt::ButtonCancel, 0},
};

struct ResultRow {
  int32_t id;
  int32_t button;
};

constexpr ResultRow kResults[] = {
    {os::IDOK, rt::ButtonOk},       {os::IDCANCEL, rt::ButtonCancel}, {os::IDABORT, rt::ButtonAbort},
    {os::IDRETRY, rt::ButtonRetry}, {os::IDIGNORE, rt::ButtonIgnore}, {os::IDYES, rt::ButtonYes},
    {os::IDNO, rt::ButtonNo},
};

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

os::UINT IconFlag(const std::string& icon) {
  if (icon == rt::IconHand) return os::MB_ICONHAND;
  if (icon == rt::IconQuestion) return os::MB_ICONQUESTION;
  if (icon == rt::IconExclamation) return os::MB_ICONEXCLAMATION;
  if (icon == rt::IconAsterisk) return os::MB_ICONASTERISK;
  return 0;
}

os::UINT TypeAndDefaultFlags(const std::string& buttons, int32_t defaultButton) {
  int64_t set = rt::ToNumber(buttons);
  for (const ButtonSetRow& row : kButtonSets) {
    if (row.set != set) continue;
    if (row.second && (defaultButton == 2 || defaultButton == row.second)) return row.type | os::MB_DEFBUTTON2;
    if (row.third && (defaultButton == 3 || defaultButton == row.third)) return row.type | os::MB_DEFBUTTON3;
    return row.type;
  }
  return os::MB_OK;
}

int32_t ButtonOfResult(int32_t result) {
  for (const ResultRow& row : kResults)
    if (row.id == result) return row.button;
  return result;
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

  os::UINT flags = TypeAndDefaultFlags(buttons, defaultButton) + IconFlag(icon) + (style ? os::MB_SYSTEMMODAL : 0);

  storage.textCopy = storage.CopyToProcessHeap(storage.buffer);
  if (!storage.textCopy) return 0;
  storage.captionCopy = storage.CopyToProcessHeap(captionBuffer);
  if (!storage.captionCopy) return 0;

  int64_t owner = rt::GetProperty(0, rt::PropHandle).Number();
  int32_t result = os::MessageBoxA(reinterpret_cast<os::HWND>(static_cast<intptr_t>(owner)), storage.textCopy,
                                   storage.captionCopy, flags);
  return ButtonOfResult(result);
}

}  // namespace quibra
