#include "backends/qt/BoxClipboard.h"

namespace qtbackend {

std::string BoxClipboardText(const std::string& title, const std::string& text,
                             const std::vector<std::string>& buttonCaptions) {
  static const std::string rule = "---------------------------\n";
  std::string body;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    body += text[i];
  }
  std::string buttons;
  for (const std::string& caption : buttonCaptions) buttons += WithoutAccessKeys(caption) + "   ";
  return rule + title + "\n" + rule + body + "\n" + rule + buttons + "\n" + rule;
}

}  // namespace qtbackend
