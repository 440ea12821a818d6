#pragma once
// INI files with the Windows profile semantics: section and entry names
// compared without case; blanks around names, "=" and values trimmed; a value
// in matching double or single quotes loses them; a ";" line without "=" is a
// comment, one with "=" an entry whose name starts with ";"; the first
// matching section and entry win; the entries above the first section are
// read and written with an empty section name. A file that starts with a byte-order mark
// is read and written in its encoding (UTF-8, UTF-16LE or UTF-16BE), its
// names and values converted to and from the program's texts. A bare file
// name means the current directory.
#include <cstdint>
#include <string>
#include <string_view>

namespace rt {

// The value of `entry` in `section`, or `defaultValue` (its trailing blanks
// dropped, then one pair of matching quotes around it) when there is none. An empty value reads as an empty text.
// Sets the error state when the file exists but cannot be read.
std::string GetIni(std::string_view section, std::string_view entry, std::string_view defaultValue,
                   std::string_view fileName);

// Writes the value: changes only its line, adds a new entry at the end of its
// section (of an empty section name: above the first section, after the
// entries there) and a new section at the end of the file, keeps every other line
// as it was (byte for byte, or character for character in a file of another
// encoding), writes CRLF, and leaves the file alone when the value is
// unchanged. The write is crash-safe (temporary file, flush, rename).
// Refuses, with the error state set (ErrInvalidArgument) and nothing written,
// a section, entry or value holding CR, LF or NUL, an entry holding "=" or
// starting with "[" or ";", and a section holding "]".
// Returns false on failure.
bool PutIni(std::string_view section, std::string_view entry, std::string_view value, std::string_view fileName);

// Why PutIni would refuse these names and this value, or an empty text when
// it would take them, so that a caller writing many values can refuse them all
// before it writes any.
std::string IniRefusal(std::string_view section, std::string_view entry, std::string_view value);

// Many writes to one file as one: while a batch is open on this thread for a
// file, PutIni to that file is checked as always but only noted, GetIni reads
// the noted values, and the file is rewritten once, crash-safe, when the batch
// commits (at the latest when it ends). A crash before then leaves the file as
// it was. Batches on one file nest; the outermost one writes. The result of
// the write is in the error state after Commit.
class IniBatch {
 public:
  explicit IniBatch(std::string_view fileName);
  ~IniBatch();
  IniBatch(const IniBatch&) = delete;
  IniBatch& operator=(const IniBatch&) = delete;

  // Writes the noted values now (the outermost batch only); false on failure.
  bool Commit();

 private:
  std::string path_;
  bool outermost_ = false;
  bool done_ = false;
};

// Many reads of one file as one: while a snapshot of a file is open on this
// thread, GetIni of that file answers from the file as it was at the
// snapshot's first read, which looks at the file once rather than on every
// read. A list read entry by entry so comes whole from one version of the
// file, never partly from the one before another program's write. Values
// noted by an open IniBatch of the file still come first, and a write made
// on this thread is read back at once (the snapshot takes the file anew).
// Snapshots of one file nest; the outermost one ends it.
class IniSnapshot {
 public:
  explicit IniSnapshot(std::string_view fileName);
  ~IniSnapshot();
  IniSnapshot(const IniSnapshot&) = delete;
  IniSnapshot& operator=(const IniSnapshot&) = delete;

 private:
  std::string path_;
};

// For tests:
// How many times this process has read a settings file whole; a lookup that
// the parsed file answers reads nothing. The tests of the parse cache count
// with it.
uint64_t IniFileReads();

}  // namespace rt
