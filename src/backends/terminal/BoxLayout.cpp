#include "backends/terminal/BoxLayout.h"

#include <algorithm>
#include <string_view>

#include "backends/terminal/TextCells.h"
#include "runtime/BoxRules.h"
#include "runtime/MessageBox.h"

namespace terminal {
namespace {

constexpr int kMargin = 2;       // columns between the border and the text
constexpr int kIconColumns = 4;  // the sign and a blank
constexpr int kButtonGap = 2;
// Rows besides the text: two borders, a blank row above the text, one
// between the text and the buttons, the buttons and a blank row below them.
constexpr int kRowsBesideText = 6;

}  // namespace

const char* IconSign(const std::string& icon) {
  if (icon == rt::IconHand) return "(X)";
  if (icon == rt::IconQuestion) return "(?)";
  if (icon == rt::IconExclamation) return "(!)";
  if (icon == rt::IconAsterisk) return "(i)";
  return "";
}

std::string ButtonLabel(const std::string& caption, bool isDefault) {
  const std::string shown = rt::WithoutAccessKeys(caption);
  return isDefault ? "[[" + shown + "]]" : "[ " + shown + " ]";
}

BoxLayout LayOut(const BoxModel& box, int columns, int rows) {
  BoxLayout l;
  const bool icon = *IconSign(box.icon) != 0;
  int buttonsWidth = 0;
  for (std::size_t i = 0; i < box.buttons.size(); ++i) {
    l.labels.push_back(ButtonLabel(box.buttons[i].caption, i == box.defaultIndex));
    const std::size_t key = rt::AccessKeyPlace(box.buttons[i].caption);
    l.accessKeys.push_back(key == std::string_view::npos ? key : key + 2);
    buttonsWidth += Cells(l.labels.back()) + (i ? kButtonGap : 0);
  }
  int longest = 0;
  for (const std::string& line : box.lines) longest = std::max(longest, Cells(line));
  const int checkRows = box.HasCheckBox() ? 2 : 0;
  const int textRows = std::max(1, rows - kRowsBesideText - checkRows);
  l.shownLines = std::min<std::size_t>(box.lines.size(), static_cast<std::size_t>(textRows));
  l.scrolls = box.lines.size() > l.shownLines;
  int content = longest + (l.scrolls ? 2 : 0);
  if (box.HasCheckBox()) content = std::max(content, 4 + Cells(rt::WithoutAccessKeys(box.checkBox)));
  const int iconWidth = icon ? kIconColumns : 0;
  const int title = Cells(box.title) + 8;  // room for "[x]" too
  l.width = std::max({iconWidth + content, buttonsWidth, title, 20}) + 2 * kMargin + 2;
  l.width = std::min(l.width, std::max(columns, 1));
  const int iconRows = icon ? 1 : 0;
  l.height = std::max(static_cast<int>(l.shownLines), iconRows) + checkRows + kRowsBesideText;
  l.height = std::min(l.height, std::max(rows, 1));
  l.x = std::max(0, (columns - l.width) / 2);
  l.y = std::max(0, (rows - l.height) / 2);
  l.icon = {l.x + 1 + kMargin, l.y + 2};
  l.textX = l.x + 1 + kMargin + iconWidth;
  l.textY = l.y + 2;
  l.textWidth = std::max(1, l.x + l.width - 1 - kMargin - l.textX);
  l.checkBox = {l.textX, l.textY + static_cast<int>(l.shownLines) + 1};
  l.closeBox = {l.x + l.width - 4, l.y};
  int bx = l.x + std::max(0, (l.width - buttonsWidth) / 2);
  const int by = l.y + l.height - 3;
  for (const std::string& label : l.labels) {
    l.buttons.push_back({bx, by});
    bx += Cells(label) + kButtonGap;
  }
  return l;
}

}  // namespace terminal
