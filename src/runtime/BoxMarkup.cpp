#include "runtime/BoxMarkup.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/Unicode.h"

namespace rt {
namespace {

struct Entity {
  const char* name;
  const char* text;
};
constexpr Entity kEntities[] = {{"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"apos", "'"}, {"nbsp", " "}};

// Pango's tags that need no attributes, each the rich-text tag of the same name.
constexpr const char* kPangoTags[] = {"b", "big", "i", "s", "sub", "sup", "small", "tt", "u", "span"};

std::string Utf8(uint32_t code) {
  std::u16string units;
  if (code < 0x10000) {
    units += static_cast<char16_t>(code);
  } else {
    units += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
    units += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
  }
  return os::Utf16ToUtf8(units);
}

// The entity that starts at text[i] ('&'), read; `i` moves past its ';'.
std::optional<std::string> ReadEntity(std::string_view text, std::size_t& i) {
  const std::size_t end = text.find(';', i);
  if (end == std::string_view::npos || end - i > 12) return std::nullopt;
  const std::string_view name = text.substr(i + 1, end - i - 1);
  std::optional<std::string> read;
  if (name.size() > 1 && name[0] == '#') {
    const bool hex = name[1] == 'x' || name[1] == 'X';
    const std::string_view digits = name.substr(hex ? 2 : 1);
    uint32_t code = 0;
    bool ok = !digits.empty();
    for (const char c : digits) {
      const int digit = std::isdigit(static_cast<unsigned char>(c))           ? c - '0'
                        : hex && std::isxdigit(static_cast<unsigned char>(c)) ? std::tolower(c) - 'a' + 10
                                                                              : -1;
      ok = ok && digit >= 0 && code <= 0x10FFFF;
      code = code * (hex ? 16 : 10) + static_cast<uint32_t>(std::max(digit, 0));
    }
    if (ok && code > 0 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF)) read = Utf8(code);
  } else {
    for (const Entity& e : kEntities)
      if (name == e.name) read = e.text;
  }
  if (read) i = end;
  return read;
}

// A span's attribute as rich text's style; values keep only the characters a
// colour, size or family name has, so that nothing can leave the style.
std::string SpanStyle(std::string_view name, std::string value) {
  std::erase_if(value, [](char c) {
    return !(std::isalnum(static_cast<unsigned char>(c)) || c == '#' || c == '-' || c == ' ' || c == ',');
  });
  if (name == "foreground" || name == "fgcolor" || name == "color") return "color:" + value + ";";
  if (name == "background" || name == "bgcolor") return "background-color:" + value + ";";
  if (name == "font_family" || name == "face") return "font-family:" + value + ";";
  if (name == "size") return "font-size:" + value + ";";
  if (name == "weight")
    return value == "normal" || value == "light" || value == "ultralight" || value == "thin" ? "" : "font-weight:bold;";
  if (name == "style") return value == "normal" ? "" : "font-style:italic;";
  if (name == "underline") return value == "none" ? "" : "text-decoration:underline;";
  if (name == "strikethrough") return value == "true" ? "text-decoration:line-through;" : "";
  return "";
}

// One tag from text[i] ('<') to its '>', as rich text; `open` tells an
// opening tag from a closing one. Nothing when it is no tag Pango knows.
std::optional<std::string> ReadPangoTag(std::string_view text, std::size_t& i, std::string& name, bool& open) {
  const std::size_t end = text.find('>', i);
  if (end == std::string_view::npos) return std::nullopt;
  std::string_view tag = text.substr(i + 1, end - i - 1);
  open = tag.empty() || tag[0] != '/';
  if (!open) tag.remove_prefix(1);
  const std::size_t nameEnd = std::min(tag.find_first_of(" \t\n"), tag.size());
  name = std::string(tag.substr(0, nameEnd));
  if (std::none_of(std::begin(kPangoTags), std::end(kPangoTags), [&](const char* t) { return name == t; }))
    return std::nullopt;
  std::string_view rest = tag.substr(nameEnd);
  std::string style;
  // Attributes: name="value" or name='value', separated by blanks.
  for (;;) {
    while (!rest.empty() && std::isspace(static_cast<unsigned char>(rest.front()))) rest.remove_prefix(1);
    if (rest.empty()) break;
    if (!open || name != "span") return std::nullopt;
    const std::size_t eq = rest.find('=');
    if (eq == std::string_view::npos || eq + 1 >= rest.size()) return std::nullopt;
    const char quote = rest[eq + 1];
    const std::size_t close = rest.find(quote, eq + 2);
    if ((quote != '"' && quote != '\'') || close == std::string_view::npos) return std::nullopt;
    style += SpanStyle(rest.substr(0, eq), std::string(rest.substr(eq + 2, close - eq - 2)));
    rest.remove_prefix(close + 1);
  }
  i = end;
  if (!open) return "</" + name + ">";
  return name == "span" ? "<span style=\"" + style + "\">" : "<" + name + ">";
}

MarkedText ReadPango(std::string_view text) {
  MarkedText marked;
  std::vector<std::string> openTags;
  for (std::size_t i = 0; i < text.size() && marked.valid; ++i) {
    const char c = text[i];
    if (c == '<') {
      std::string name;
      bool open = true;
      const std::optional<std::string> tag = ReadPangoTag(text, i, name, open);
      if (!tag || (!open && (openTags.empty() || openTags.back() != name))) {
        marked.valid = false;
      } else {
        if (open)
          openTags.push_back(name);
        else
          openTags.pop_back();
        marked.html += *tag;
      }
    } else if (c == '&') {
      if (const std::optional<std::string> read = ReadEntity(text, i)) {
        marked.plain += *read;
        marked.html += EscapeHtml(*read);
      } else {
        marked.valid = false;
      }
    } else if (c == '>') {
      marked.valid = false;
    } else {
      marked.plain += c;
      marked.html += EscapeHtml(std::string_view(&c, 1));
    }
  }
  if (!openTags.empty()) marked.valid = false;
  if (!marked.valid) {
    marked.plain = std::string(text);
    marked.html = EscapeHtml(text);
  }
  return marked;
}

// Rich text read as plain text: tags dropped, white space folded to one
// blank, a line broken at <br> and between paragraphs.
MarkedText ReadHtml(std::string_view text) {
  MarkedText marked;
  marked.html = std::string(text);
  std::string& plain = marked.plain;
  auto breakLine = [&] {
    while (!plain.empty() && plain.back() == ' ') plain.pop_back();
    if (!plain.empty() && plain.back() != '\n') plain += '\n';
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '<') {
      const std::size_t end = text.find('>', i);
      if (end == std::string_view::npos) {
        plain += c;
        continue;
      }
      std::string tag;
      for (const char t : text.substr(i + 1, end - i - 1)) {
        if (std::isspace(static_cast<unsigned char>(t)) || (t == '/' && !tag.empty())) break;
        if (t != '/') tag += static_cast<char>(std::tolower(static_cast<unsigned char>(t)));
      }
      if (tag == "br" || tag == "p" || tag == "div" || tag == "li" || tag == "tr" || tag == "h1" || tag == "h2" ||
          tag == "h3")
        breakLine();
      i = end;
    } else if (c == '&') {
      const std::optional<std::string> read = ReadEntity(text, i);
      plain += read ? *read : std::string(1, c);
    } else if (std::isspace(static_cast<unsigned char>(c))) {
      if (!plain.empty() && plain.back() != ' ' && plain.back() != '\n') plain += ' ';
    } else {
      plain += c;
    }
  }
  while (!plain.empty() && (plain.back() == ' ' || plain.back() == '\n')) plain.pop_back();
  return marked;
}

}  // namespace

std::string EscapeHtml(std::string_view text) {
  std::string escaped;
  for (const char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

MarkedText ReadMarkup(std::string_view text, BoxMarkup markup) {
  switch (markup) {
    case BoxMarkup::Pango:
      return ReadPango(text);
    case BoxMarkup::Html:
      return ReadHtml(text);
    case BoxMarkup::Bars:
    case BoxMarkup::Plain:
      break;
  }
  return {true, std::string(text), EscapeHtml(text)};
}

}  // namespace rt
