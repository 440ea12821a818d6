#include "runtime/BoxRules.h"

#include <algorithm>
#include <cctype>

#include "platform/Win32Api.h"
#include "runtime/BoxMarkup.h"
#include "runtime/MessageBox.h"
#include "runtime/Text.h"

namespace rt {
namespace {

// Windows has no access key on OK and Cancel: Enter and Escape answer them.
// Help never closes a native box (it asks for help and the box stays).
constexpr BoxButton kButtons[] = {
    {ButtonOk, os::IDOK, "OK", "OK"},
    {ButtonYes, os::IDYES, "&Yes", "YES"},
    {ButtonNo, os::IDNO, "&No", "NO"},
    {ButtonAbort, os::IDABORT, "&Abort", "ABORT"},
    {ButtonRetry, os::IDRETRY, "&Retry", "RETRY"},
    {ButtonIgnore, os::IDIGNORE, "&Ignore", "IGNORE"},
    {ButtonCancel, os::IDCANCEL, "Cancel", "CANCEL"},
    {ButtonHelp, 0, "&Help", "HELP"},
};

// The button sets a native box can show, and the MessageBoxA type of each.
struct NativeButtonSet {
  int32_t set;
  uint32_t type;
};

constexpr NativeButtonSet kNativeSets[] = {
    {ButtonOk, os::MB_OK},
    {ButtonOk + ButtonCancel, os::MB_OKCANCEL},
    {ButtonAbort + ButtonRetry + ButtonIgnore, os::MB_ABORTRETRYIGNORE},
    {ButtonYes + ButtonNo + ButtonCancel, os::MB_YESNOCANCEL},
    {ButtonYes + ButtonNo, os::MB_YESNO},
    {ButtonRetry + ButtonCancel, os::MB_RETRYCANCEL},
};

struct IconRow {
  const std::string* code;
  uint32_t flag;
  const char* name;
};

const IconRow kIcons[] = {
    {&IconHand, os::MB_ICONHAND, "Error"},
    {&IconQuestion, os::MB_ICONQUESTION, "Question"},
    {&IconExclamation, os::MB_ICONEXCLAMATION, "Warning"},
    {&IconAsterisk, os::MB_ICONASTERISK, "Information"},
};

// Lines broken at CR LF, LF or CR alone, and at '|' where bars break lines.
std::vector<std::string> SplitAt(std::string_view text, bool bars) {
  std::vector<std::string> lines(1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if ((bars && c == '|') || c == '\n' || c == '\r') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      lines.emplace_back();
    } else {
      lines.back() += c;
    }
  }
  return lines;
}

// A default of 2 or 3 names a place, any other value the button that has it.
template <class Button>
std::size_t PlaceOfDefault(const std::vector<Button>& shown, int32_t defaultButton) {
  if ((defaultButton == 2 || defaultButton == 3) && static_cast<std::size_t>(defaultButton) <= shown.size())
    return static_cast<std::size_t>(defaultButton - 1);
  for (std::size_t i = 0; i < shown.size(); ++i)
    if (shown[i].value == defaultButton) return i;
  return 0;
}

// The MessageBoxA type of a ButtonSet sum; false when no native box has it.
bool TypeOfButtonSet(int32_t set, uint32_t& type) {
  for (const NativeButtonSet& s : kNativeSets)
    if (s.set == set) {
      type = s.type;
      return true;
    }
  return false;
}

}  // namespace

std::span<const BoxButton> AllBoxButtons() { return kButtons; }

std::vector<BoxButton> ButtonsOf(int32_t set) {
  std::vector<BoxButton> shown;
  for (const BoxButton& b : kButtons)
    if (set & b.value) shown.push_back(b);
  return shown;
}

int32_t ButtonSetOfType(uint32_t type) {
  for (const NativeButtonSet& s : kNativeSets)
    if (s.type == type) return s.set;
  return 0;
}

std::size_t DefaultPlace(const std::vector<BoxButton>& shown, int32_t defaultButton) {
  return PlaceOfDefault(shown, defaultButton);
}

std::size_t NativeDefaultPlace(uint32_t flags, std::size_t buttons) {
  const std::size_t place = (flags & os::MB_DEFMASK) >> 8;
  return place < buttons ? place : 0;
}

std::vector<ShownButton> ButtonsOf(const BoxRequest& r, bool native) {
  int32_t set = r.buttons & 0xFF;
  uint32_t type = 0;
  if (native && !TypeOfButtonSet(set, type)) set = ButtonOk;
  if (set == 0) set = ButtonOk;  // a box always has a way to answer it
  // A set of none with buttons of the caller's own shows those alone.
  if ((r.buttons & 0xFF) == 0 && !r.extraButtons.empty()) set = 0;
  std::vector<ShownButton> shown;
  for (const BoxButton& b : ButtonsOf(set)) {
    ShownButton button{b.value, b.caption, b.name};
    for (const BoxCaption& chosen : r.captions)
      if (chosen.button == b.value) button.caption = chosen.caption;
    shown.push_back(std::move(button));
  }
  for (std::size_t i = 0; i < r.extraButtons.size(); ++i)
    shown.push_back({kFirstExtraButton + static_cast<int32_t>(i), r.extraButtons[i].caption, r.extraButtons[i].name});
  return shown;
}

std::size_t DefaultPlace(const std::vector<ShownButton>& shown, int32_t defaultButton) {
  return PlaceOfDefault(shown, defaultButton);
}

std::string WithoutAccessKeys(std::string_view caption) {
  std::string out;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    // The mark goes and the character after it stays, so "&&" keeps one '&';
    // a mark at the very end marks nothing.
    if (caption[i] == '&') {
      if (i + 1 < caption.size()) out += caption[++i];
      continue;
    }
    out += caption[i];
  }
  return out;
}

int32_t EscapeValue(const BoxRequest& r, const std::vector<ShownButton>& shown) {
  if (r.escape == EscapeRule::DialogTool) return ButtonCancel;
  int32_t set = 0;
  for (const ShownButton& b : shown) set |= b.value < kFirstExtraButton ? b.value : 0;
  // Buttons of the caller's own are no OK: Escape in such a box answers nothing.
  const bool added =
      std::any_of(shown.begin(), shown.end(), [](const ShownButton& b) { return b.value >= kFirstExtraButton; });
  return added && !(set & ButtonCancel) ? 0 : EscapeValue(set);
}

std::size_t AccessKeyPlace(std::string_view caption) {
  std::size_t shown = 0;
  for (std::size_t i = 0; i < caption.size(); ++i, ++shown) {
    if (caption[i] != '&' || i + 1 == caption.size()) continue;
    if (caption[i + 1] != '&')
      return std::isalnum(static_cast<unsigned char>(caption[i + 1])) ? shown : std::string_view::npos;
    ++i;  // "&&" is an '&' of the caption
  }
  return std::string_view::npos;
}

char AccessKeyOf(std::string_view caption) {
  const std::size_t place = AccessKeyPlace(caption);
  if (place == std::string_view::npos) return 0;
  return static_cast<char>(std::tolower(static_cast<unsigned char>(WithoutAccessKeys(caption)[place])));
}

std::string CountdownCaption(std::string_view caption, int32_t secondsLeft) {
  return std::string(caption) + " (" + std::to_string(secondsLeft) + ")";
}

std::string CountdownDescription(int32_t timeout, int32_t secondsLeft) {
  constexpr int32_t kEvery = 10;  // seconds
  if (secondsLeft <= 0 || (timeout - secondsLeft) % kEvery != 0) return {};
  return "Pressed in " + std::to_string(secondsLeft) + (secondsLeft == 1 ? " second" : " seconds");
}

int32_t EscapeValue(int32_t set) {
  if (set & ButtonCancel) return ButtonCancel;
  if ((set & ~ButtonHelp) == ButtonOk) return ButtonOk;
  return 0;
}

int32_t ButtonOfNativeId(int32_t id) {
  for (const BoxButton& b : kButtons)
    if (b.nativeId && b.nativeId == id) return b.value;
  return 0;
}

int32_t NativeIdOfButton(int32_t value) {
  for (const BoxButton& b : kButtons)
    if (b.value == value) return b.nativeId;
  return 0;
}

std::vector<std::string> SplitBoxText(std::string_view text) { return SplitAt(Clip(text), true); }

std::vector<std::string> SplitLineEnds(std::string_view text) { return SplitAt(text, false); }

std::vector<std::string> WrapLines(const std::vector<std::string>& lines, std::size_t columns) {
  std::vector<std::string> wrapped;
  for (std::string_view rest : lines) {
    // Columns are characters: a UTF-8 character of several bytes is one.
    while (TextColumns(rest) > columns) {
      const std::size_t end = ColumnBytes(rest, columns);
      std::size_t cut = rest.rfind(' ', end);
      if (cut == std::string_view::npos || cut == 0) {
        wrapped.emplace_back(rest.substr(0, end));
        rest.remove_prefix(end);
      } else {
        wrapped.emplace_back(rest.substr(0, cut));
        rest.remove_prefix(cut + 1);
      }
    }
    wrapped.emplace_back(rest);
  }
  return wrapped;
}

BoxTextArea TextAreaOn(ScreenArea screen, bool icon) {
  using namespace box_layout;
  const int32_t reserved = kFrameHeight + kMargin + kButtonsAbove + kButtonHeight + kMargin;
  const int32_t textX = icon ? kMargin + kIconSize + kIconGap : kMargin;
  const int32_t columns = (screen.width - kFrameWidth - textX - kMargin - kScrollBarWidth) / kCharWidth;
  return {static_cast<std::size_t>(std::clamp<int32_t>(columns, 10, static_cast<int32_t>(kBoxWrapColumns))),
          static_cast<std::size_t>(std::max<int32_t>(3, (screen.height - reserved) / kLineHeight))};
}

BoxTextArea TextAreaOf(const BoxRequest& r, ScreenArea screen, bool icon) {
  using namespace box_layout;
  BoxTextArea area = TextAreaOn(screen, icon);
  if (r.width > 0) {
    // 96 dots an inch: a dialog unit of the box's font is 1.5 pixels wide.
    const int32_t units = static_cast<int32_t>(std::min<int64_t>(r.width, screen.width * 3 / 2) * 2 / 3);
    const int32_t textX = icon ? kMargin + kIconSize + kIconGap : kMargin;
    const int32_t columns = (units - kFrameWidth - textX - kMargin) / kCharWidth;
    area.columns = static_cast<std::size_t>(std::max<int32_t>(10, columns));
  }
  return area;
}

std::vector<std::string> TextLines(const BoxRequest& r, std::size_t columns) {
  std::vector<std::string> lines;
  switch (r.markup) {
    case BoxMarkup::Bars:
      lines = SplitBoxText(r.text);
      break;
    case BoxMarkup::Plain:
      lines = SplitLineEnds(Clip(r.text));
      break;
    case BoxMarkup::Pango:
    case BoxMarkup::Html:
      lines = SplitLineEnds(ReadMarkup(r.text, r.markup).plain);
      break;
  }
  switch (r.wrap) {
    case BoxWrap::Wrap:
      return WrapLines(lines, columns);
    case BoxWrap::NoWrap:
      return lines;
    case BoxWrap::Ellipsize:
      for (std::string& line : lines)
        if (TextColumns(line) > columns && columns > 3) line = line.substr(0, ColumnBytes(line, columns - 3)) + "...";
      return lines;
  }
  return lines;
}

uint32_t IconFlag(const std::string& icon) {
  for (const IconRow& row : kIcons)
    if (*row.code == icon) return row.flag;
  return 0;
}

uint32_t ImageIconFlag(std::string_view text) { return IconFlag(Clip(text)); }

std::string IconOfFlag(uint32_t flags) {
  for (const IconRow& row : kIcons)
    if (row.flag == (flags & os::MB_ICONMASK)) return *row.code;
  return {};
}

const char* IconName(const std::string& icon) {
  for (const IconRow& row : kIcons)
    if (*row.code == icon) return row.name;
  return "";
}

uint32_t NativeFlags(const BoxRequest& r) {
  uint32_t flags = os::MB_OK;
  if (TypeOfButtonSet(r.buttons, flags)) {
    const std::size_t place = DefaultPlace(ButtonsOf(r.buttons), r.defaultButton);
    flags |= place == 1 ? os::MB_DEFBUTTON2 : place == 2 ? os::MB_DEFBUTTON3 : os::MB_DEFBUTTON1;
  }
  return flags | IconFlag(r.icon) | (r.style ? os::MB_SYSTEMMODAL : 0);
}

std::string PressedReport(int32_t value) {
  for (const BoxButton& b : kButtons)
    if (b.value == value) return std::string("BUTTON:") + b.name + " was pressed";
  return {};
}

}  // namespace rt
