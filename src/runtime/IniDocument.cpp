#include "runtime/IniDocument.h"

#include <cstring>

namespace rt {
namespace {

constexpr std::string_view kCrLf = "\r\n";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Unquote(std::string_view v) {
  if (v.size() >= 2 && v.front() == v.back() && (v.front() == '"' || v.front() == '\''))
    return v.substr(1, v.size() - 2);
  return v;
}

std::string Encode(std::string_view value) {
  bool quote = !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()) || Unquote(value) != value);
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

std::string IniDocument::Key(std::string_view name) {
  std::string key(Trim(name));
  for (char& c : key)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return key;
}

IniDocument::IniDocument(std::string bytes) : bytes_(std::move(bytes)) { Parse(); }

void IniDocument::Parse() {
  const std::string& b = bytes_;
  if (b.size() >= 3 && std::memcmp(b.data(), "\xEF\xBB\xBF", 3) == 0) start_ = 3;
  Section* current = nullptr;
  std::size_t pos = start_;
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
    if (first == text.size() || text[first] == ';') continue;

    if (text[first] == '[') {
      std::size_t close = text.find(']', first + 1);
      if (close != std::string_view::npos) {
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
    current->lastContent = index;
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

const std::string* IniDocument::Find(std::string_view section, std::string_view entry) const {
  auto s = sectionIndex_.find(Key(section));
  if (s == sectionIndex_.end()) return nullptr;
  const auto& entries = sections_[s->second].entries;
  auto e = entries.find(Key(entry));
  return e == entries.end() ? nullptr : &e->second.value;
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

bool EndsWithLineEnd(const std::string& out, std::size_t start) {
  return out.size() > start && (out.back() == '\n' || out.back() == '\r');
}

// Whether the last line of `out` (the text after `start`, ending with a line end) is blank.
bool LastLineBlank(const std::string& out, std::size_t start) {
  std::size_t end = out.size();
  if (end > start && out[end - 1] == '\n') --end;
  if (end > start && out[end - 1] == '\r') --end;
  std::size_t begin = end;
  while (begin > start && out[begin - 1] != '\n' && out[begin - 1] != '\r') --begin;
  return IniDocument::Trim(std::string_view(out.data() + begin, end - begin)).empty();
}

}  // namespace

bool IniDocument::WithAll(const std::vector<Change>& changes, std::string& out) const {
  std::unordered_map<std::size_t, const Entry*> entryOnLine;
  for (const Section& sec : sections_)
    for (const auto& [key, entry] : sec.entries) entryOnLine.emplace(entry.line, &entry);
  std::unordered_map<std::size_t, const std::string*> replaced;  // by line
  std::unordered_map<std::size_t, NewEntries> added;            // by the line they follow
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
    else
      added[sec.lastContent].Set(c.entry, c.value);
  }
  std::erase_if(replaced, [&](const auto& r) { return entryOnLine.at(r.first)->value == *r.second; });
  if (replaced.empty() && added.empty() && newSections.empty()) return false;

  const std::string& b = bytes_;
  std::string result;
  result.reserve(b.size() + changes.size() * 32);
  result.append(b, 0, start_);
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
      if (!EndsWithLineEnd(result, start_)) result += kCrLf;  // the last line of a file without a final line end
      a->second.Write(result);
    }
  }
  for (const auto& [name, entries] : newSections) {
    if (result.size() > start_) {
      if (!EndsWithLineEnd(result, start_)) result += kCrLf;
      if (!LastLineBlank(result, start_)) result += kCrLf;
    }
    result += '[';
    result += name;
    result += ']';
    result += kCrLf;
    entries.Write(result);
  }
  out = std::move(result);
  return true;
}

}  // namespace rt
