#pragma once
// How the desktop dialog tools write their texts and captions on the command
// line, read into the box request's terms.
#include <string>
#include <string_view>

namespace quibra {

// zenity's texts are read as GLib's g_strcompress reads them: \n, \t, \r,
// \b, \f, \v, \\ and \" stand for their characters, up to three octal
// digits for a byte; before any other character the backslash goes, and a
// backslash at the very end is dropped.
std::string ZenityEscapes(std::string_view text);

// kdialog's texts: "\n" is a line end and "\\" one backslash; any other
// backslash is itself.
std::string KdialogEscapes(std::string_view text);

// kdialog shows a text as rich text when its first line holds a tag.
bool LooksRich(std::string_view text);

// A caption written as GTK writes it, '_' before the access key ("__" for a
// '_'), as drawers read captions ('&' before it, "&&" for an '&').
std::string FromUnderscores(std::string_view label);

}  // namespace quibra
