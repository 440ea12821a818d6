#include "Boxes.h"

#include <algorithm>

#include "Automation.h"
#include "Capture.h"

namespace uia {
namespace {

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines(1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      lines.emplace_back();
      ++i;
    } else if (text[i] == '\n') {
      lines.emplace_back();
    } else {
      lines.back() += text[i];
    }
  }
  return lines;
}

bool IsIcon(const Control& c) { return c.className == "Static" && (c.style & SS_TYPEMASK) == SS_ICON; }

}  // namespace

const BoxButton* Box::Button(const std::string& caption) const {
  for (const BoxButton& b : buttons)
    if (b.caption == caption) return &b;
  return nullptr;
}

std::string Plain(const std::string& caption) {
  std::string out;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    out += caption[i];
  }
  return out;
}

HWND FindWindowWithControl(DWORD process, const std::string& title, int control) {
  for (HWND top : TopWindows(process))
    if (ClassOf(top) == kRuntimeClass && IsWindowEnabled(top) && (title.empty() || TextOf(top) == title) &&
        ChildById(top, control).hwnd)
      return top;
  return nullptr;
}

HWND FindBox(DWORD process, HWND except) {
  for (HWND top : TopWindows(process)) {
    if (top == except || !IsWindowEnabled(top)) continue;
    std::string cls = ClassOf(top);
    if (cls == kSystemBoxClass || cls == kRuntimeClass) return top;
  }
  return nullptr;
}

Box ReadBox(HWND hwnd) {
  Box box;
  box.hwnd = hwnd;
  box.native = ClassOf(hwnd) == kSystemBoxClass;
  box.title = TextOf(hwnd);
  std::vector<Control> children = Children(hwnd);
  std::vector<Control> texts;
  HWND icon = nullptr;
  for (const Control& c : children) {
    if (!c.visible) continue;
    if (c.className == "Button") box.buttons.push_back({Plain(c.text), c.hwnd, c.id});
    if (IsIcon(c)) icon = c.hwnd;
    // The system's box keeps its text in the control numbered 0xFFFF; the
    // runtime's shows each line in a prompt of its own.
    if (c.className == "Static" && !IsIcon(c) && (!box.native || c.id == 0xFFFF)) texts.push_back(c);
  }
  std::sort(box.buttons.begin(), box.buttons.end(), [](const BoxButton& a, const BoxButton& b) {
    RECT ra{}, rb{};
    GetWindowRect(a.hwnd, &ra);
    GetWindowRect(b.hwnd, &rb);
    return ra.left < rb.left;
  });
  std::sort(texts.begin(), texts.end(), [](const Control& a, const Control& b) { return a.rect.top < b.rect.top; });
  // Both boxes show their whole text in one static, its lines apart.
  for (const Control& c : texts)
    for (std::string& line : SplitLines(c.text)) box.lines.push_back(std::move(line));
  // The default button is drawn with the heavy frame of its style; the
  // window's default id names it where no button has that style yet.
  for (const BoxButton& b : box.buttons)
    if ((GetWindowLongA(b.hwnd, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) box.defaultButton = b.caption;
  DWORD_PTR defId = 0;
  if (box.defaultButton.empty() && SendMessageTimeoutA(hwnd, DM_GETDEFID, 0, 0, SMTO_ABORTIFHUNG, 2000, &defId) &&
      HIWORD(defId) == DC_HASDEFID)
    for (const BoxButton& b : box.buttons)
      if (b.id == LOWORD(defId)) box.defaultButton = b.caption;
  box.focus = FocusOf(hwnd);
  if (icon) {
    // The icon is known once it is drawn: look until one shows, briefly.
    WaitUntil([&] { return (box.icon = IdentifyIcon(icon)) != 0; }, 2000);
  }
  return box;
}

}  // namespace uia
