// Placeholder expansion of the error manager's message templates (%Message,
// %File, %ErrorText, %Previous, ...). The template comes from a stored table
// and the values from the error state, file names and callers, so any of
// them may hold anything. The expansion must stay inside its 1999
// characters, and where nothing had to be cut it must be the plain
// replacement of each placeholder in turn, which a simple model gives.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "Utf8.h"
#include "framework/error/ErrorManager.h"

namespace {

constexpr std::size_t kMost = 1999;

char Up(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool MatchesAt(const std::string& s, std::size_t at, std::string_view what) {
  for (std::size_t k = 0; k < what.size(); ++k)
    if (Up(s[at + k]) != Up(what[k])) return false;
  return true;
}

// Every occurrence, without regard to case, left to right; the search goes
// on after the inserted value. Returns the longest the text got.
std::size_t Replace(std::string& s, std::string_view placeholder, std::string_view value) {
  std::size_t longest = s.size();
  for (std::size_t at = 0; at + placeholder.size() <= s.size();) {
    if (!MatchesAt(s, at, placeholder)) {
      ++at;
      continue;
    }
    s.replace(at, placeholder.size(), value);
    longest = std::max(longest, s.size());
    at += value.size();
  }
  return longest;
}

void AddEntry(std::vector<uint8_t>& table, uint16_t id, const std::string& title, const std::string& message) {
  table.insert(table.end(),
               {static_cast<uint8_t>(id & 0xFF), static_cast<uint8_t>(id >> 8), 0, static_cast<uint8_t>(title.size())});
  table.insert(table.end(), title.begin(), title.end());
  table.push_back(static_cast<uint8_t>(message.size()));
  table.insert(table.end(), message.begin(), message.end());
}

std::string Cut255(std::string s) {
  if (s.size() > 255) s.resize(255);
  return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  fuzz::Parts parts(data, size);
  const std::string message = Cut255(parts.Next());
  const std::string previous = Cut255(parts.Next());
  const uint8_t code = parts.Byte();

  quibra::ErrorManager manager;
  manager.Setup();
  const uint16_t id = 900;
  std::vector<uint8_t> table = {2, 0};
  AddEntry(table, id, "Earlier", previous);
  AddEntry(table, id, "Now", message);
  fuzz::Check(manager.LoadTable(table.data(), table.size()) == 2, "a well-formed table did not load whole");

  manager.MESSAGETEXT = parts.Next();
  manager.FIELDNAME = parts.Next();
  manager.FILENAME = parts.Next();
  manager.SAVEERROR = parts.Next();
  manager.SAVEFILEERROR = parts.Next();
  manager.SAVEFILEERRORCODE = parts.Next();
  // Codes around the file system's 90, which switches the error text.
  manager.SAVEERRORCODE = code % 4 == 0 ? 90 : static_cast<int32_t>(code) - 128;
  const std::string category = parts.Next();
  manager.AssignCategory(id, category);
  manager.TrackProcedure(parts.Next(), false);
  fuzz::Check(manager.Locate(id) == quibra::LevelOk, "the entry is not found");

  const std::string expanded = manager.ExpandText();
  fuzz::Check(expanded.size() <= kMost, "the expansion is longer than its buffer");
  fuzz::Check(expanded.find('\0') == std::string::npos, "a NUL inside the expansion");
  {
    bool allUtf8 = fuzz::IsUtf8(message) && fuzz::IsUtf8(previous);
    for (const char* v : {manager.MESSAGETEXT.data, manager.FIELDNAME.data, manager.FILENAME.data,
                          manager.SAVEERROR.data, manager.SAVEFILEERROR.data, manager.SAVEFILEERRORCODE.data})
      allUtf8 = allUtf8 && fuzz::IsUtf8(v);
    allUtf8 = allUtf8 && fuzz::IsUtf8(category) && fuzz::IsUtf8(manager.CurrentProcedure());
    if (allUtf8) fuzz::Check(fuzz::IsUtf8(expanded), "the expansion was cut inside a character", expanded);
  }

  const std::string errorCode = std::to_string(manager.SAVEERRORCODE);
  const std::string errorText = manager.SAVEERRORCODE == 90
                                    ? manager.SAVEFILEERROR.str() + " (" + manager.SAVEFILEERRORCODE.str() + ")"
                                    : manager.SAVEERROR.str() + " (" + errorCode + ")";
  std::string model = message;
  std::size_t longest = model.size();
  const std::pair<std::string_view, std::string> steps[] = {
      {"%FileErrorCode", manager.SAVEFILEERRORCODE.str()},
      {"%FileError", manager.SAVEFILEERROR.str()},
      {"%File", manager.FILENAME.str()},
      {"%ErrorCode", errorCode},
      {"%ErrorText", errorText},
      {"%Error", manager.SAVEERROR.str()},
      {"%Message", manager.MESSAGETEXT.str()},
      {"%Field", manager.FIELDNAME.str()},
      {"%Procedure", manager.CurrentProcedure()},
      {"%Category", category},  // the entry's own, even when empty
  };
  for (const auto& [placeholder, value] : steps) longest = std::max(longest, Replace(model, placeholder, value));
  if (model.find("%Previous") != std::string::npos) longest = std::max(longest, Replace(model, "%Previous", previous));
  if (longest <= kMost) fuzz::Check(expanded == model, "the expansion differs from replacing each placeholder", model);

  manager.Shutdown();
  return 0;
}
