#include "composer/ToolTexts.h"

#include <cstring>

namespace quibra {

std::string ZenityEscapes(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (++i == text.size()) break;
    const char c = text[i];
    if (c >= '0' && c <= '7') {
      int byte = 0;
      for (int digits = 0; digits < 3 && i < text.size() && text[i] >= '0' && text[i] <= '7'; ++digits, ++i)
        byte = byte * 8 + (text[i] - '0');
      --i;
      out += static_cast<char>(byte & 0xFF);
      continue;
    }
    static constexpr char kFrom[] = "ntrbfv", kTo[] = "\n\t\r\b\f\v";
    const char* named = std::strchr(kFrom, c);
    out += named && c ? kTo[named - kFrom] : c;
  }
  return out;
}

std::string KdialogEscapes(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == 'n' || text[i + 1] == '\\')) {
      out += text[++i] == 'n' ? '\n' : '\\';
    } else {
      out += text[i];
    }
  }
  return out;
}

bool LooksRich(std::string_view text) {
  const std::string_view first = text.substr(0, text.find('\n'));
  const std::size_t open = first.find('<');
  return open != std::string_view::npos && first.find('>', open) != std::string_view::npos;
}

std::string FromUnderscores(std::string_view label) {
  std::string caption;
  for (std::size_t i = 0; i < label.size(); ++i) {
    if (label[i] == '&') {
      caption += "&&";
    } else if (label[i] == '_' && i + 1 < label.size()) {
      caption += label[++i] == '_' ? "_" : "&" + std::string(1, label[i]);
    } else {
      caption += label[i];
    }
  }
  return caption;
}

}  // namespace quibra
