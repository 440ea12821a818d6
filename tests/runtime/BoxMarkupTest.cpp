// A box's text in markup, as every drawer reads it: Pango markup (zenity's)
// and rich text (kdialog's) as plain text and as the rich text Qt renders.
#include <gtest/gtest.h>

#include "runtime/BoxMarkup.h"

namespace {

using rt::BoxMarkup;

TEST(BoxMarkup, PangoIsReadAsPlainTextAndRichText) {
  const struct {
    const char* label;
    const char* text;
    bool valid;
    const char* plain;
    const char* html;
  } cases[] = {
      {"tags and entities", "<b>Bold</b> &amp; <i>it</i>", true, "Bold & it", "<b>Bold</b> &amp; <i>it</i>"},
      {"nested tags, numeric entities", "<u><tt>&#65;&#x42;</tt></u>&lt;", true, "AB<", "<u><tt>AB</tt></u>&lt;"},
      {"a span's colour and weight", "<span foreground=\"red\" weight='bold'>x</span>", true, "x",
       "<span style=\"color:red;font-weight:bold;\">x</span>"},
      {"an attribute cannot leave the style", "<span color=\"red;x:url(a)\">x</span>", true, "x",
       "<span style=\"color:redxurla;\">x</span>"},
      {"line ends stay", "one\ntwo", true, "one\ntwo", "one\ntwo"},
      // Not well formed: shown as written, never as nothing.
      {"a bare ampersand", "Tom & Jerry", false, "Tom & Jerry", "Tom &amp; Jerry"},
      {"an unknown tag", "<blink>x</blink>", false, "<blink>x</blink>", "&lt;blink&gt;x&lt;/blink&gt;"},
      {"a tag left open", "<b>x", false, "<b>x", "&lt;b&gt;x"},
      {"tags crossed", "<b><i>x</b></i>", false, "<b><i>x</b></i>", "&lt;b&gt;&lt;i&gt;x&lt;/b&gt;&lt;/i&gt;"},
      {"an attribute on b", "<b x='1'>y</b>", false, "<b x='1'>y</b>", "&lt;b x='1'&gt;y&lt;/b&gt;"},
      {"an unknown entity", "&nope;", false, "&nope;", "&amp;nope;"},
      {"a surrogate is no character", "&#xD800;", false, "&#xD800;", "&amp;#xD800;"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    const rt::MarkedText read = rt::ReadMarkup(c.text, BoxMarkup::Pango);
    EXPECT_EQ(read.valid, c.valid);
    EXPECT_EQ(read.plain, c.plain);
    EXPECT_EQ(read.html, c.html);
  }
}

TEST(BoxMarkup, RichTextIsReadAsPlainText) {
  const std::pair<const char*, const char*> cases[] = {
      {"<b>Bold</b> &amp; <i>it</i><br>next\nsame line", "Bold & it\nnext same line"},
      {"<p>one</p><p>two</p>", "one\ntwo"},
      {"  many   blanks\t ", "many blanks"},
      {"a < b, no tag", "a < b, no tag"},
  };
  for (const auto& [text, plain] : cases) {
    EXPECT_EQ(rt::ReadMarkup(text, BoxMarkup::Html).plain, plain) << text;
    EXPECT_EQ(rt::ReadMarkup(text, BoxMarkup::Html).html, text) << "rich text goes to the toolkit as written";
  }
}

}  // namespace
