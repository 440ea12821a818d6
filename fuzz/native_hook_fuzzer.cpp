// The native message hook's translation of the runtime's message arguments
// into MessageBoxA's text, caption and flag word, and of its result back. The
// arguments come from the composer's fields and the command line, so any
// bytes can arrive. The box must get a text and a caption that fit their
// buffers and are only ever cut, a flag word of known bits, the answer must
// come back as the pressed button, and no block of the process heap may be
// left behind, also when the heap fails.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "Utf8.h"
#include "backends/headless/Headless.h"
#include "composer/NativeMessageHook.h"
#include "platform/Win32Api.h"
#include "runtime/BoxRules.h"
#include "runtime/MessageBox.h"
#include "runtime/Text.h"

namespace {

std::string Bars(const std::string& text) {
  std::string out;
  for (char c : rt::Clip(text)) out += c == '|' ? std::string("\r\n") : std::string(1, c);
  return out;
}

bool StartsWith(const std::string& whole, const std::string& part) { return whole.compare(0, part.size(), part) == 0; }

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  headless::Install();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  fuzz::Parts parts(data, size);
  const std::string text = parts.Next();
  const std::string caption = parts.Next();
  const std::string icon = parts.Next();
  const std::string buttons = parts.Next();
  const uint8_t switches = parts.Byte();
  const int32_t defaultButton = static_cast<int8_t>(parts.Byte());
  const int32_t style = static_cast<int8_t>(parts.Byte());
  const uint8_t answer = parts.Byte();
  const uint8_t failing = parts.Byte();
  const uint8_t captionOmitted = switches & 1;

  headless::Reset();
  const uint32_t flags = rt::NativeFlags(
      {.icon = icon, .buttons = rt::ButtonSetNumber(buttons), .defaultButton = defaultButton, .style = style});
  const std::vector<rt::BoxButton> shown = rt::ButtonsOf(rt::ButtonSetOfType(flags & os::MB_TYPEMASK));
  fuzz::Check(!shown.empty(), "a flag word with no button set a native box can show");
  // The user presses one of the box's buttons, or the box fails (0).
  const rt::BoxButton* pressed = answer % 8 == 7 ? nullptr : &shown[answer % shown.size()];
  const bool heapFails = switches & 2;
  if (heapFails) headless::FailAllocations(1, failing % 3);
  if (!heapFails) headless::User().AnswerNative(pressed ? pressed->nativeId : 0);

  int32_t result = 0;
  try {
    result = quibra::NativeMessageHook(text, caption, icon, buttons, captionOmitted, 0, 0, defaultButton, style);
  } catch (const headless::ScriptError& e) {
    fuzz::Fail("the hook did not show the one box it was to show", e.what());
  }
  fuzz::Check(headless::LiveHeapBlocks() == 0, "the hook left blocks of the process heap behind");
  const std::vector<headless::BoxRecord> boxes = headless::Boxes();
  if (heapFails) {
    fuzz::Check(result == 0 && boxes.empty(), "a box was shown without memory for its texts");
    headless::Reset();
    return 0;
  }
  fuzz::Check(boxes.size() == 1 && boxes[0].drawer == "native", "not one native box");
  const headless::BoxRecord& box = boxes[0];
  fuzz::Check(result == (pressed ? pressed->value : 0), "the result is not the button pressed");

  fuzz::Check(box.text == quibra::NativeBoxText(text), "the box's text is not the hook's own");
  fuzz::Check(box.text.size() <= 511, "a text longer than its 511 characters", box.text);
  fuzz::Check(StartsWith(Bars(text), box.text), "the text was changed, not only cut", box.text);
  fuzz::Check(box.caption.size() <= 63, "a caption longer than its 63 characters", box.caption);
  if (captionOmitted) {
    fuzz::Check(box.caption.empty(), "an omitted caption was shown");
  } else {
    fuzz::Check(StartsWith(rt::Clip(caption), box.caption), "the caption was changed, not only cut", box.caption);
  }
  if (fuzz::IsUtf8(text)) {
    // A line break cut in half leaves a lone CR, which is still UTF-8.
    fuzz::Check(fuzz::IsUtf8(box.text), "the text was cut inside a character", box.text);
  }
  if (fuzz::IsUtf8(caption)) fuzz::Check(fuzz::IsUtf8(box.caption), "the caption was cut inside a character");

  const uint32_t known = os::MB_TYPEMASK | os::MB_ICONMASK | os::MB_DEFMASK | os::MB_SYSTEMMODAL;
  fuzz::Check((box.flags & ~known) == 0, "unknown bits in the flag word");
  fuzz::Check((box.flags & os::MB_TYPEMASK) <= os::MB_RETRYCANCEL, "no button set a native box knows");
  fuzz::Check((box.flags & os::MB_ICONMASK) <= os::MB_ICONASTERISK, "no icon a native box knows");
  fuzz::Check((box.flags & os::MB_DEFMASK) <= os::MB_DEFBUTTON3, "no default button a native box knows");
  fuzz::Check(((box.flags & os::MB_DEFMASK) >> 8) < shown.size(), "the default is a button the box does not have");
  fuzz::Check(((box.flags & os::MB_SYSTEMMODAL) != 0) == (style != 0), "system-modal is not what the style asked");
  headless::Reset();
  return 0;
}
