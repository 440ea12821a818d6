// The INI reader and writer on a file of any bytes: a value written reads
// back as it was written, no other entry's value changes, and no line of the
// file but the one entry's changes (new lines come only at the end of a
// section or of the file; a UTF-16 file's lines are compared as text). A name or value the writer refuses leaves the
// file as it was, byte for byte.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "ScratchFolder.h"
#include "platform/Unicode.h"
#include "runtime/Ini.h"
#include "runtime/IniDocument.h"

namespace {

namespace fs = std::filesystem;

// A folder of our own for this run's files, removed when the run ends.
struct RunFolder {
  fs::path path = fuzz::ScratchFolder() / ("quibra-ini-fuzz-" + std::to_string(std::random_device{}()));
  RunFolder() { fs::create_directories(path); }
  ~RunFolder() {
    std::error_code ignored;
    fs::remove_all(path, ignored);
  }
};

const fs::path& Folder() {
  static const RunFolder folder;
  return folder.path;
}

// Another name for each input, since a file rewritten by hand in place
// could look unchanged to the reader, which keeps parsed files by name. A
// few names in turn, not a new one each time: the writer notes each name it
// has written once, which would look like a leak on every input.
std::string NextPath() {
  static unsigned n = 0;
  n = (n + 1) % 64;
  return (Folder() / ("f" + std::to_string(n) + ".ini")).string();
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

// The lines of the file, each with its line end (LF, CR or CRLF).
std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t begin = 0;
  while (begin < bytes.size()) {
    std::size_t end = bytes.find_first_of("\r\n", begin);
    if (end == std::string::npos) {
      end = bytes.size();
    } else if (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') {
      end += 2;
    } else {
      end += 1;
    }
    lines.push_back(bytes.substr(begin, end - begin));
    begin = end;
  }
  return lines;
}

// Removes the input's file. Looking it up once more makes the reader drop the
// file from its cache, so that an input leaves nothing allocated behind (else
// every input would look like a leak to the fuzzer, which then scans for one).
void Remove(const std::string& path) {
  fs::remove(path);
  fuzz::Check(rt::GetIni("s", "k", "gone", path) == "gone", "a removed file still reads");
}

// A file with a UTF-16 mark holds its lines as UTF-16: they are compared as
// the text they hold (an odd last byte is no character and is left out). The
// mark is no part of the first line, since entries above the first section
// are written after it.
std::string AsText(const std::string& bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) return bytes.substr(3);
  const bool little = bytes.starts_with("\xFF\xFE"), big = bytes.starts_with("\xFE\xFF");
  if (!little && !big) return bytes;
  std::u16string units;
  for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<uint8_t>(bytes[i]), second = static_cast<uint8_t>(bytes[i + 1]);
    units.push_back(static_cast<char16_t>(little ? first | second << 8 : second | first << 8));
  }
  return os::Utf16ToUtf8(units);
}

bool EndsWithCrLf(const std::string& line) { return line.size() >= 2 && line.compare(line.size() - 2, 2, "\r\n") == 0; }

// The new file is the old one with at most one line changed and a few lines
// (an entry; a section header and an entry) added, each written with CRLF.
void CheckOnlyTheEntrysLinesChanged(const std::string& before, const std::string& after) {
  const std::vector<std::string> a = Lines(before), b = Lines(after);
  std::size_t head = 0;
  while (head < a.size() && head < b.size() && a[head] == b[head]) ++head;
  std::size_t tail = 0;
  while (tail < a.size() - head && tail < b.size() - head && a[a.size() - 1 - tail] == b[b.size() - 1 - tail]) ++tail;
  const std::size_t removed = a.size() - head - tail;
  const std::size_t added = b.size() - head - tail;
  fuzz::Check(removed <= 1, "more than one line of the file changed", after);
  fuzz::Check(added <= 4, "more lines were added than a new section and entry take", after);
  for (std::size_t k = head; k < head + added; ++k)
    fuzz::Check(EndsWithCrLf(b[k]), "a line written without CRLF", b[k]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  fuzz::Parts parts(data, size);
  const std::string content = parts.Next();
  const std::string section = parts.Next();
  const std::string entry = parts.Next();
  const std::string value = parts.Next();
  // Another entry, which the write must leave as it was.
  const std::string otherSection = parts.Next();
  const std::string otherEntry = parts.Next();

  const std::string path = NextPath();
  WriteFile(path, content);
  const std::string missing = "\x01(none)";
  const std::string otherBefore = rt::GetIni(otherSection, otherEntry, missing, path);

  const std::string refusal = rt::IniRefusal(section, entry, value);
  const bool written = rt::PutIni(section, entry, value, path);
  const std::string after = ReadFile(path);
  if (!refusal.empty()) {
    fuzz::Check(!written, "a refused write reported success", refusal);
    fuzz::Check(after == content, "a refused write changed the file", refusal);
    Remove(path);
    return 0;
  }
  fuzz::Check(written, "a write of names and a value the writer takes failed");
  // A UTF-16 file holds characters: bytes that are no text go in as the
  // Western characters they stand for.
  const bool utf16 = content.starts_with("\xFF\xFE") || content.starts_with("\xFE\xFF");
  const std::string stored = utf16 ? os::Utf16ToText(os::TextToUtf16(value)) : value;
  fuzz::Check(rt::GetIni(section, entry, missing, path) == stored, "the value read back is not the value written",
              after);
  CheckOnlyTheEntrysLinesChanged(AsText(content), AsText(after));

  const bool same = rt::IniDocument::Key(section) == rt::IniDocument::Key(otherSection) &&
                    rt::IniDocument::Key(entry) == rt::IniDocument::Key(otherEntry);
  if (!same && rt::IniRefusal(otherSection, otherEntry, "").empty())
    fuzz::Check(rt::GetIni(otherSection, otherEntry, missing, path) == otherBefore, "another entry's value changed",
                after);

  // The same value again leaves the file alone.
  fuzz::Check(rt::PutIni(section, entry, value, path), "writing the same value again failed");
  fuzz::Check(ReadFile(path) == after, "writing the same value again changed the file");
  Remove(path);
  return 0;
}
