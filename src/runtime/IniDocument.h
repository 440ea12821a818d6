#pragma once
// The text of an INI file, parsed once so that looking an entry up costs the
// same whatever the file's size, and rewritten line by line so that a write
// changes only what it must.
//
// A file that starts with a byte-order mark is read in its encoding and
// written back in it, the mark kept: UTF-8 (EF BB BF), UTF-16LE (FF FE) or
// UTF-16BE (FE FF). Such a file is parsed as UTF-8, and names and values
// cross between it and the program's texts (see os::TextIsUtf8); a file
// without a mark holds the program's texts as they are.
//
// Lines end with LF, CR or CRLF. A line whose first non-blank character is
// "[" and that holds a "]" starts a section named by what lies between the
// "[" and the last "]"; any other line with an "=" is an entry, a name
// starting with ";" included (a ";" line without "=" is a comment). Entries
// above the first section belong to a section with an empty name. Lines
// that are none of these are kept but never read. Only the first section of
// a name is read and written, and in it only the first entry of a name.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace rt {

class IniDocument {
 public:
  // The file's bytes.
  explicit IniDocument(std::string bytes);

  // The entry's value, blanks around it trimmed and one pair of matching
  // quotes removed; none when there is no such entry.
  std::optional<std::string> Find(std::string_view section, std::string_view entry) const;

  // The file's bytes with the changes made. One change sets an entry: its
  // line changed, or a new line at the end of its section, or a new section
  // at the end of the file. The section without a name has no header: its
  // new entries go after its last entry, or first in the file when it has
  // none. Lines written end with CRLF; all others stay byte
  // for byte. A value that reading would change (blanks at its ends, quotes
  // around it) is written in double quotes, so that it reads back as it was.
  // Many changes are made in one pass over the file, as if made one after
  // another: the last value of an entry wins; new entries and sections come
  // in the order first written.
  // `out` receives the bytes of the file, in its encoding.
  // Returns false, with `out` untouched, when nothing changes.
  struct Change {
    std::string section;
    std::string entry;
    std::string value;
  };
  bool WithAll(const std::vector<Change>& changes, std::string& out) const;

  // Whether the file's bytes are these: the document need not be parsed again.
  bool Holds(std::string_view bytes) const;

  // A name as it is compared: blanks around it trimmed, ASCII letters lowered.
  static std::string Key(std::string_view name);
  // The text without blanks (spaces, tabs) at either end.
  static std::string_view Trim(std::string_view text);
  // The text without one pair of matching double or single quotes around it.
  static std::string_view Unquote(std::string_view text);

 private:
  struct Line {
    std::size_t begin;  // first byte of the line
    std::size_t end;    // its line end (or the end of the file)
    std::size_t next;   // first byte after its line end
  };
  struct Entry {
    std::size_t line;
    std::size_t valueAt;  // where the value starts, after "=" and blanks
    std::string value;
  };
  struct Section {
    std::size_t header;       // the line of "[name]"
    std::size_t lastContent;  // the last line in it that is not blank or a comment
    std::unordered_map<std::string, Entry> entries;
  };

  enum class Encoding { Bytes, Utf8, Utf16Le, Utf16Be };

  void Parse();
  // A name or value of the program's texts as the parsed text holds it, and back.
  std::string ToFile(std::string_view text) const;
  std::string FromFile(std::string_view text) const;

  Encoding encoding_ = Encoding::Bytes;
  bool converts_ = false;  // names and values cross between encodings (all that a UTF-16 file holds)
  std::string text_;       // without the byte-order mark; UTF-8 where the file has one
  std::vector<Line> lines_;
  std::vector<Section> sections_;
  std::unordered_map<std::string, std::size_t> sectionIndex_;
};

}  // namespace rt
