#pragma once
// The text of an INI file, parsed once so that looking an entry up costs the
// same whatever the file's size, and rewritten line by line so that a write
// changes only what it must.
//
// Lines end with LF, CR or CRLF; a UTF-8 byte-order mark at the start is
// kept but not read as part of the first line. A line whose first non-blank
// byte is "[" and that holds a "]" starts a section named by what lies
// between them; ";" first on a line makes it a comment; any other line with
// an "=" is an entry. Lines before the first section and lines that are none
// of these are kept but never read. Only the first section of a name is
// read and written, and in it only the first entry of a name.
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace rt {

class IniDocument {
 public:
  explicit IniDocument(std::string bytes);

  // The entry's value, blanks around it trimmed and one pair of matching
  // quotes removed; null when there is no such entry.
  const std::string* Find(std::string_view section, std::string_view entry) const;

  // The file's bytes with the changes made. One change sets an entry: its
  // line changed, or a new line at the end of its section, or a new section
  // at the end of the file. Lines written end with CRLF; all others stay byte
  // for byte. A value that reading would change (blanks at its ends, quotes
  // around it) is written in double quotes, so that it reads back as it was.
  // Many changes are made in one pass over the file, as if made one after
  // another: the last value of an entry wins; new entries and sections come
  // in the order first written.
  // Returns false, with `out` untouched, when nothing changes.
  struct Change {
    std::string section;
    std::string entry;
    std::string value;
  };
  bool WithAll(const std::vector<Change>& changes, std::string& out) const;

  const std::string& Bytes() const { return bytes_; }

  // A name as it is compared: blanks around it trimmed, ASCII letters lowered.
  static std::string Key(std::string_view name);
  // The text without blanks (spaces, tabs) at either end.
  static std::string_view Trim(std::string_view text);

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

  void Parse();

  std::string bytes_;
  std::size_t start_ = 0;
  std::vector<Line> lines_;
  std::vector<Section> sections_;
  std::unordered_map<std::string, std::size_t> sectionIndex_;
};

}  // namespace rt
