#include "backends/terminal/LineQuestion.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "runtime/BoxRules.h"

namespace terminal {
namespace {

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

}  // namespace

std::vector<char> LineKeys(const BoxModel& box) {
  std::vector<char> keys(box.buttons.size(), 0);
  auto taken = [&keys](char c) { return std::find(keys.begin(), keys.end(), c) != keys.end(); };
  for (std::size_t i = 0; i < box.buttons.size(); ++i)
    if (const char key = rt::AccessKeyOf(box.buttons[i].caption); key && !taken(key)) keys[i] = key;
  for (std::size_t i = 0; i < box.buttons.size(); ++i) {
    if (keys[i]) continue;
    for (char c : rt::WithoutAccessKeys(box.buttons[i].caption))
      if (std::isalnum(static_cast<unsigned char>(c)) && !taken(Lower(c))) {
        keys[i] = Lower(c);
        break;
      }
  }
  return keys;
}

std::string LinePrompt(const BoxModel& box) {
  std::string prompt;
  for (const std::string& line : box.lines) prompt += (prompt.empty() ? "" : "\n") + line;
  const std::vector<char> keys = LineKeys(box);
  for (std::size_t i = 0; i < box.buttons.size(); ++i) {
    std::string shown = rt::WithoutAccessKeys(box.buttons[i].caption);
    if (keys[i]) {
      std::size_t at = rt::AccessKeyPlace(box.buttons[i].caption);
      if (at == std::string_view::npos || Lower(shown[at]) != keys[i]) {
        at = 0;
        while (at < shown.size() && Lower(shown[at]) != keys[i]) ++at;
      }
      shown = shown.substr(0, at) + "[" + shown.substr(at, 1) + "]" + shown.substr(at + 1);
    }
    prompt += (prompt.empty() || (i == 0 && prompt.back() == '\n') ? "" : " ") + shown;
  }
  if (box.HasCheckBox()) prompt += " (+ to " + rt::WithoutAccessKeys(box.checkBox) + ")";
  return prompt + ": ";
}

std::optional<LineChoice> LineAnswer(const BoxModel& box, const std::string& line) {
  std::string answer = Trimmed(line);
  bool ticked = false;
  if (box.HasCheckBox() && !answer.empty() && answer.back() == '+') {
    ticked = true;
    answer = Trimmed(answer.substr(0, answer.size() - 1));
  }
  if (answer.empty()) return LineChoice{box.defaultIndex, ticked};
  const std::vector<char> keys = LineKeys(box);
  std::string lower;
  for (char c : answer) lower += Lower(c);
  for (std::size_t i = 0; i < box.buttons.size(); ++i) {
    if (lower.size() == 1 && keys[i] == lower[0]) return LineChoice{i, ticked};
    std::string caption;
    for (char c : rt::WithoutAccessKeys(box.buttons[i].caption)) caption += Lower(c);
    if (lower == caption) return LineChoice{i, ticked};
  }
  return std::nullopt;
}

}  // namespace terminal
