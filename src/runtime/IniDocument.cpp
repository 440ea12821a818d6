#include "runtime/IniDocument.h"

#include <cstring>

#include "platform/ThisOs.h"
#include "platform/Unicode.h"

namespace rt {
namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr std::size_t kNoLine = static_cast<std::size_t>(-1);

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// UTF-16 bytes as their units; a last odd byte is no unit and is dropped.
std::u16string Units(std::string_view bytes, bool bigEndian) {
  std::u16string units(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i) {
    const auto a = static_cast<unsigned char>(bytes[2 * i]), b = static_cast<unsigned char>(bytes[2 * i + 1]);
    units[i] = static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
  }
  return units;
}

std::string UnitBytes(std::u16string_view units, bool bigEndian) {
  std::string bytes(units.size() * 2, '\0');
  for (std::size_t i = 0; i < units.size(); ++i) {
    const auto high = static_cast<char>(units[i] >> 8), low = static_cast<char>(units[i] & 0xFF);
    bytes[2 * i] = bigEndian ? high : low;
    bytes[2 * i + 1] = bigEndian ? low : high;
  }
  return bytes;
}

std::string Encode(std::string_view value) {
  bool quote =
      !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()) || IniDocument::Unquote(value) != value);
  std::string out;
  out.reserve(value.size() + 2);
  if (quote) out += '"';
  out.append(value);
  if (quote) out += '"';
  return out;
}

}  // namespace

std::string_view IniDocument::Trim(std::string_view text) {
  std::size_t b = 0, e = text.size();
  while (b < e && IsBlank(text[b])) ++b;
  while (e > b && IsBlank(text[e - 1])) --e;
  return text.substr(b, e - b);
}

std::string_view IniDocument::Unquote(std::string_view v) {
  if (v.size() >= 2 && v.front() == v.back() && (v.front() == '"' || v.front() == '\''))
    return v.substr(1, v.size() - 2);
  return v;
}

std::string IniDocument::Key(std::string_view name) {
  std::string key(Trim(name));
  for (char& c : key)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return key;
}

IniDocument::IniDocument(std::string bytes) {
  const std::string_view b = bytes;
  if (b.starts_with(kUtf8Mark)) {
    encoding_ = Encoding::Utf8;
    text_ = b.substr(kUtf8Mark.size());
  } else if (b.starts_with(kUtf16LeMark) || b.starts_with(kUtf16BeMark)) {
    encoding_ = b.starts_with(kUtf16LeMark) ? Encoding::Utf16Le : Encoding::Utf16Be;
    text_ = os::Utf16ToUtf8(Units(b.substr(2), encoding_ == Encoding::Utf16Be));
  } else {
    text_ = std::move(bytes);
  }
  // A UTF-16 file holds characters only: where the program's texts are UTF-8,
  // bytes that are no UTF-8 cross as the Western characters they stand for,
  // both ways, so that a name written with them is found by them again.
  const bool utf16 = encoding_ == Encoding::Utf16Le || encoding_ == Encoding::Utf16Be;
  converts_ = utf16 || (encoding_ == Encoding::Utf8 && !os::TextIsUtf8());
  Parse();
}

bool IniDocument::Holds(std::string_view bytes) const {
  switch (encoding_) {
    case Encoding::Bytes:
      return bytes == text_;
    case Encoding::Utf8:
      return bytes.starts_with(kUtf8Mark) && bytes.substr(kUtf8Mark.size()) == text_;
    case Encoding::Utf16Le:
    case Encoding::Utf16Be:
      break;
  }
  // A UTF-16 file would have to be converted to be compared, which costs
  // about what parsing it again does.
  return false;
}

std::string IniDocument::ToFile(std::string_view text) const {
  return converts_ ? os::Utf16ToUtf8(os::TextToUtf16(text)) : std::string(text);
}

std::string IniDocument::FromFile(std::string_view text) const {
  return converts_ ? os::Utf16ToText(os::Utf8ToUtf16(text)) : std::string(text);
}

void IniDocument::Parse() {
  const std::string& b = text_;
  // The entries above the first section belong to one without a name.
  sectionIndex_.emplace(std::string(), 0);
  sections_.push_back({kNoLine, kNoLine, {}});
  Section* current = &sections_.back();
  std::size_t pos = 0;
  while (pos < b.size()) {
    std::size_t end = b.find_first_of("\r\n", pos);
    if (end == std::string::npos) end = b.size();
    std::size_t next = end;
    if (end < b.size()) next = (b[end] == '\r' && end + 1 < b.size() && b[end + 1] == '\n') ? end + 2 : end + 1;
    std::size_t index = lines_.size();
    lines_.push_back({pos, end, next});

    std::string_view text(b.data() + pos, end - pos);
    std::size_t first = 0;
    while (first < text.size() && IsBlank(text[first])) ++first;
    pos = next;
    if (first == text.size()) continue;

    if (text[first] == '[') {
      // The last "]" ends the name, so that a name may hold one.
      std::size_t close = text.rfind(']');
      if (close != std::string_view::npos && close > first) {
        std::string key = Key(text.substr(first + 1, close - first - 1));
        if (sectionIndex_.count(key)) {
          current = nullptr;  // a later section of a known name is never read
        } else {
          sectionIndex_.emplace(std::move(key), sections_.size());
          sections_.push_back({index, index, {}});
          current = &sections_.back();
        }
        continue;
      }
    }
    if (!current) continue;
    // New entries go after the last entry, before the comments that follow
    // it (they are about what comes next); a name starting with ";" is still
    // read as an entry.
    if (text[first] != ';') current->lastContent = index;
    std::size_t eq = text.find('=', first);
    if (eq == std::string_view::npos) continue;
    std::string key = Key(text.substr(first, eq - first));
    if (key.empty() || current->entries.count(key)) continue;
    std::size_t valueAt = eq + 1;
    while (valueAt < text.size() && IsBlank(text[valueAt])) ++valueAt;
    std::string value(Unquote(Trim(text.substr(eq + 1))));
    current->entries.emplace(std::move(key), Entry{index, lines_[index].begin + valueAt, std::move(value)});
  }
}

std::optional<std::string> IniDocument::Find(std::string_view section, std::string_view entry) const {
  auto s = sectionIndex_.find(converts_ ? Key(ToFile(section)) : Key(section));
  if (s == sectionIndex_.end()) return std::nullopt;
  const auto& entries = sections_[s->second].entries;
  auto e = entries.find(converts_ ? Key(ToFile(entry)) : Key(entry));
  if (e == entries.end()) return std::nullopt;
  return FromFile(e->second.value);
}

namespace {

// New entries, in the order they were first written, each with its last value.
struct NewEntries {
  std::vector<std::pair<std::string, std::string>> list;  // name as first written, value
  std::unordered_map<std::string, std::size_t> at;        // by key

  void Set(std::string_view entry, std::string_view value) {
    std::string key = IniDocument::Key(entry);
    auto found = at.find(key);
    if (found != at.end()) {
      list[found->second].second = value;
      return;
    }
    at.emplace(std::move(key), list.size());
    list.emplace_back(std::string(IniDocument::Trim(entry)), std::string(value));
  }
  void Write(std::string& out) const {
    for (const auto& [name, value] : list) {
      out += name;
      out += '=';
      out += Encode(value);
      out += kCrLf;
    }
  }
};

bool EndsWithLineEnd(const std::string& out) { return !out.empty() && (out.back() == '\n' || out.back() == '\r'); }

// Whether the last line of `out` (ending with a line end) is blank.
bool LastLineBlank(const std::string& out) {
  std::size_t end = out.size();
  if (end > 0 && out[end - 1] == '\n') --end;
  if (end > 0 && out[end - 1] == '\r') --end;
  std::size_t begin = end;
  while (begin > 0 && out[begin - 1] != '\n' && out[begin - 1] != '\r') --begin;
  return IniDocument::Trim(std::string_view(out.data() + begin, end - begin)).empty();
}

}  // namespace

bool IniDocument::WithAll(const std::vector<Change>& asked, std::string& out) const {
  std::vector<Change> converted;
  if (converts_) {
    converted.reserve(asked.size());
    for (const Change& c : asked) converted.push_back({ToFile(c.section), ToFile(c.entry), ToFile(c.value)});
  }
  const std::vector<Change>& changes = converts_ ? converted : asked;
  std::unordered_map<std::size_t, const Entry*> entryOnLine;
  for (const Section& sec : sections_)
    for (const auto& [key, entry] : sec.entries) entryOnLine.emplace(entry.line, &entry);
  std::unordered_map<std::size_t, const std::string*> replaced;  // by line
  std::unordered_map<std::size_t, NewEntries> added;             // by the line they follow
  NewEntries atTop;                                              // before the file's first line
  std::vector<std::pair<std::string, NewEntries>> newSections;
  std::unordered_map<std::string, std::size_t> newSectionAt;
  for (const Change& c : changes) {
    auto s = sectionIndex_.find(Key(c.section));
    if (s == sectionIndex_.end()) {
      std::string key = Key(c.section);
      auto found = newSectionAt.find(key);
      if (found == newSectionAt.end()) {
        found = newSectionAt.emplace(std::move(key), newSections.size()).first;
        newSections.emplace_back(std::string(Trim(c.section)), NewEntries{});
      }
      newSections[found->second].second.Set(c.entry, c.value);
      continue;
    }
    const Section& sec = sections_[s->second];
    auto e = sec.entries.find(Key(c.entry));
    if (e != sec.entries.end())
      replaced[e->second.line] = &c.value;
    else if (sec.lastContent != kNoLine)
      added[sec.lastContent].Set(c.entry, c.value);
    else
      atTop.Set(c.entry, c.value);  // the nameless section above the first holds nothing yet
  }
  std::erase_if(replaced, [&](const auto& r) { return entryOnLine.at(r.first)->value == *r.second; });
  if (replaced.empty() && added.empty() && atTop.list.empty() && newSections.empty()) return false;

  const std::string& b = text_;
  std::string result;
  result.reserve(b.size() + changes.size() * 32);
  atTop.Write(result);
  // A file without a byte-order mark must not gain one: an entry whose name
  // starts with the bytes of a mark goes below a blank line when it would be
  // the file's first.
  if (encoding_ == Encoding::Bytes &&
      (result.starts_with(kUtf8Mark) || result.starts_with(kUtf16LeMark) || result.starts_with(kUtf16BeMark)))
    result.insert(0, kCrLf);
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const Line& line = lines_[i];
    auto r = replaced.find(i);
    if (r != replaced.end()) {
      // The name and whatever surrounds the "=" stay as the file had them.
      const std::size_t valueAt = entryOnLine.at(i)->valueAt;
      result.append(b, line.begin, valueAt - line.begin);
      result += Encode(*r->second);
      result += kCrLf;
    } else {
      result.append(b, line.begin, line.next - line.begin);
    }
    auto a = added.find(i);
    if (a != added.end()) {
      if (!EndsWithLineEnd(result)) result += kCrLf;  // the last line of a file without a final line end
      a->second.Write(result);
    }
  }
  for (const auto& [name, entries] : newSections) {
    if (!result.empty()) {
      if (!EndsWithLineEnd(result)) result += kCrLf;
      if (!LastLineBlank(result)) result += kCrLf;
    }
    result += '[';
    result += name;
    result += ']';
    result += kCrLf;
    entries.Write(result);
  }
  switch (encoding_) {
    case Encoding::Bytes:
      out = std::move(result);
      break;
    case Encoding::Utf8:
      out = std::string(kUtf8Mark) + result;
      break;
    case Encoding::Utf16Le:
    case Encoding::Utf16Be: {
      const bool bigEndian = encoding_ == Encoding::Utf16Be;
      out = std::string(bigEndian ? kUtf16BeMark : kUtf16LeMark) + UnitBytes(os::Utf8ToUtf16(result), bigEndian);
      break;
    }
  }
  return true;
}

}  // namespace rt
