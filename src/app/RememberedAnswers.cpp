#include "app/RememberedAnswers.h"

#include <string_view>
#include <vector>

#include "composer/ExitStatus.h"
#include "platform/FileSystem.h"
#include "platform/Folders.h"

namespace quibra {
namespace {

constexpr const char* kGroup = "Notification Messages";

struct Place {
  std::string path;
  std::string key;
};

std::optional<Place> PlaceOf(const std::string& fileKey) {
  const std::size_t colon = fileKey.find(':');
  const std::string folder = os::UserConfigFolder();
  if (colon == std::string::npos || folder.empty()) return std::nullopt;
  return Place{folder + "/" + fileKey.substr(0, colon), fileKey.substr(colon + 1)};
}

std::string Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
  return std::string(text);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// The value of KEY in [GROUP]; none where the file has none.
std::optional<std::string> EntryOf(const std::string& text, const std::string& group, const std::string& key) {
  bool inGroup = false;
  for (const std::string& line : Lines(text)) {
    const std::string trimmed = Trimmed(line);
    if (!trimmed.empty() && trimmed.front() == '[') {
      inGroup = trimmed == "[" + group + "]";
    } else if (const std::size_t eq = trimmed.find('='); inGroup && eq != std::string::npos) {
      if (Trimmed(std::string_view(trimmed).substr(0, eq)) == key)
        return Trimmed(std::string_view(trimmed).substr(eq + 1));
    }
  }
  return std::nullopt;
}

}  // namespace

std::string WithEntry(std::string text, const std::string& group, const std::string& key, const std::string& value) {
  std::vector<std::string> lines = Lines(text);
  const std::string entry = key + "=" + value;
  std::size_t insertAt = lines.size();
  bool inGroup = false, found = false;
  for (std::size_t i = 0; i < lines.size() && !found; ++i) {
    const std::string trimmed = Trimmed(lines[i]);
    if (!trimmed.empty() && trimmed.front() == '[') {
      if (inGroup) break;
      inGroup = trimmed == "[" + group + "]";
      if (inGroup) insertAt = i + 1;
    } else if (inGroup) {
      const std::size_t eq = trimmed.find('=');
      if (eq != std::string::npos && Trimmed(std::string_view(trimmed).substr(0, eq)) == key) {
        lines[i] = entry;
        found = true;
      } else if (!trimmed.empty()) {
        insertAt = i + 1;
      }
    }
  }
  if (!found) {
    if (!inGroup && insertAt == lines.size()) {
      if (!lines.empty() && !Trimmed(lines.back()).empty()) lines.emplace_back();
      lines.push_back("[" + group + "]");
      insertAt = lines.size();
    }
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), entry);
  }
  std::string out;
  for (const std::string& line : lines) out += line + "\n";
  return out;
}

std::optional<int32_t> RememberedAnswer(const std::string& fileKey, RememberedKind kind) {
  const std::optional<Place> place = PlaceOf(fileKey);
  std::string text;
  if (!place || !os::ReadAll(place->path, text).ok()) return std::nullopt;
  const std::optional<std::string> value = EntryOf(text, kGroup, place->key);
  if (!value) return std::nullopt;
  const bool yes = *value == "true" || *value == "yes", no = *value == "false" || *value == "no";
  switch (kind) {
    case RememberedKind::YesNo:
      if (yes || no) return yes ? rt::ButtonYes : rt::ButtonNo;
      break;
    case RememberedKind::GoOn:
      if (no) return rt::ButtonYes;  // Continue
      break;
    case RememberedKind::Message:
      // kdialog answers a message it did not show again with 1 (as for no).
      if (yes || no) return yes ? rt::ButtonOk : kNotShownAgainRow;
      break;
  }
  return std::nullopt;
}

bool RememberAnswer(const std::string& fileKey, RememberedKind kind, int32_t answer, std::string& error) {
  const bool goesOn = kind == RememberedKind::GoOn      ? answer == rt::ButtonYes
                      : kind == RememberedKind::Message ? answer == rt::ButtonOk
                                                        : false;
  if (kind == RememberedKind::YesNo ? answer != rt::ButtonYes && answer != rt::ButtonNo : !goesOn) return true;
  const std::optional<Place> place = PlaceOf(fileKey);
  if (!place) {
    error = "no settings folder is known (HOME is not set)";
    return false;
  }
  if (!os::MakeFolders(place->path.substr(0, place->path.rfind('/')), error)) return false;
  // One writer's turn, so that two boxes answered at once lose neither answer.
  os::WriterTurn turn;
  std::string text;
  turn.Take(place->path);
  const os::IoStatus read = os::ReadAll(place->path, text);
  if (!read.ok() && read.code != os::IoNotFound) {
    error = place->path + ": " + read.text;
    return false;
  }
  const os::IoStatus written = os::AtomicReplace(
      place->path,
      WithEntry(text, kGroup, place->key, kind == RememberedKind::YesNo && answer == rt::ButtonYes ? "true" : "false"));
  if (!written.ok()) error = place->path + ": " + (written.text.empty() ? "cannot be written" : written.text);
  return written.ok();
}

}  // namespace quibra
