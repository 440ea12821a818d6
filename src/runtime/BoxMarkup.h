#pragma once
// A box's text written in markup, read once for every drawer: as plain text
// for a drawer that shows plain text only (the runtime's own box, the Windows
// box, a terminal), and as the rich text a toolkit renders.
#include <string>
#include <string_view>

#include "runtime/MessageBox.h"

namespace rt {

struct MarkedText {
  // The markup was well formed; when it was not, `plain` is the text as it
  // was written (a person's "Tom & Jerry" shows as typed, not as nothing).
  bool valid = true;
  std::string plain;  // tags gone, entities read, line ends where lines break
  // The same as rich text in the HTML subset toolkits render (<b>, <i>,
  // <span style=...>), its line ends and blanks kept as written.
  std::string html;
};

// Pango markup knows the tags b, big, i, s, sub, sup, small, tt, u and span
// (with colour, weight, style, size and underline attributes) and the XML
// entities; Html the tags of rich text, read as plain text by dropping every
// tag, breaking lines at <br> and paragraphs, and folding white space. The
// plain kinds are returned as they are.
MarkedText ReadMarkup(std::string_view text, BoxMarkup markup);

// Text escaped for rich text: & < > and quotes as entities.
std::string EscapeHtml(std::string_view text);

}  // namespace rt
