#include "framework/settings/IniStore.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "runtime/ErrorState.h"
#include "runtime/Ini.h"

namespace quibra {

namespace {

std::string NumberedEntry(std::string_view entry, uint32_t number) {
  std::string name(entry);
  name += '_';
  name += std::to_string(number);
  return name;
}

}  // namespace

IniStore::~IniStore() = default;

std::string IniStore::ReadEntry(std::string_view section, std::string_view entry, std::string_view defaultValue,
                                std::string_view fileName) {
  return rt::GetIni(section, entry, defaultValue, fileName);
}

void IniStore::WriteEntry(std::string_view section, std::string_view entry, std::string_view value,
                          std::string_view fileName) {
  // The store reports nothing: a failed write leaves the runtime's error
  // state set for a caller that wants to look.
  rt::PutIni(section, entry, value, fileName);
}

void IniStore::InitializeHook() {}

void IniStore::ProgramEndHook() {}

void IniStore::Initialize(std::string_view fileName) {
  FILENAME = fileName;
  SECTORS = std::make_unique<SectorList>();
  InitializeHook();

  readFailed_ = false;
  SectorEntry& buffer = SECTORS->buffer;
  ReadList(OwnSection, OwnEntry, *SECTORS, buffer.FAMILY, buffer.ITEM, buffer.TYPE);
  keepSavedList_ = readFailed_;
}

bool IniStore::Finalize() {
  // Without a list (never initialised, or finalised already) there is nothing
  // to save, and writing an empty one would wipe the list the file holds.
  if (!SECTORS) return true;
  bool saved = true;
  if (!keepSavedList_) {
    SectorEntry& buffer = SECTORS->buffer;
    saved = WriteList(OwnSection, OwnEntry, *SECTORS, buffer.FAMILY, buffer.ITEM, buffer.TYPE);
  }
  SECTORS.reset();
  keepSavedList_ = false;
  return saved;
}

std::string IniStore::Read(std::string_view section, std::string_view entry, std::string_view defaultValue) {
  // Cleared first so that an error left by earlier work is not taken for
  // this read's.
  rt::ClearError();
  std::string value = ReadEntry(section, entry, defaultValue, FILENAME.view());
  // A missing file is a first run, not a failure; any other error means the
  // file is there but what it holds was not read.
  const int32_t code = rt::ErrorCode();
  if (code != rt::ErrNone && code != rt::ErrFileNotFound && code != rt::ErrPathNotFound) readFailed_ = true;
  return value;
}

std::string IniStore::ReadRaw(std::string_view section, std::string_view entry) { return Read(section, entry, ""); }

std::string IniStore::ReadValue(std::string_view section, std::string_view entry) {
  std::string value = Read(section, entry, Unknown);
  // Cut as the runtime's stores cut, never inside a character.
  value.resize(rt::FitBytes(value, ValueLimit));
  return value;
}

std::string IniStore::ReadField(std::string_view section, std::string_view entry, uint8_t fieldNumber) {
  const std::string value = ReadValue(section, entry);
  std::size_t start = 0;  // where the wanted field begins
  for (; fieldNumber > 1; --fieldNumber) {
    const std::size_t comma = value.find(',', start);
    start = comma == std::string::npos ? 0 : comma + 1;
  }
  if (start >= value.size()) return {};
  std::size_t end = value.find(',', start);
  if (end == std::string::npos) end = value.size();
  return value.substr(start, end - start);
}

void IniStore::ReadList(std::string_view section, std::string_view entry, IniList list, IniField first, IniField second,
                        IniField third) {
  // The whole list is read from one version of the file, which is looked at
  // once: another program's write in the middle cannot mix two lists, and a
  // long list costs no look at the file per field.
  rt::IniSnapshot snapshot(FILENAME.view());
  // The count is kept to 16 bits: a larger number wraps (65536 reads as 0).
  const auto count = static_cast<uint16_t>(rt::ToNumber(ReadRaw(section, entry)));
  for (uint32_t i = 1; i <= count; ++i) {
    // Every field reads its value again, from the parsed file.
    const std::string name = NumberedEntry(entry, i);
    first.Store(ReadField(section, name, 1));
    if (second.Given()) second.Store(ReadField(section, name, 2));
    if (third.Given()) third.Store(ReadField(section, name, 3));
    list.Add();
  }
}

void IniStore::WriteValue(std::string_view section, std::string_view entry, std::string_view value) {
  WriteEntry(section, entry, value, FILENAME.view());
}

bool IniStore::WriteList(std::string_view section, std::string_view entry, IniList list, IniField first,
                         IniField second, IniField third) {
  // Every entry is checked before any is written: an entry the file cannot
  // hold refuses the whole list, so that the list the file holds is never
  // left with a hole where that entry was.
  const int32_t count = list.Records();
  // The count is checked as the entries are: names the file cannot hold
  // refuse even an empty list, and entries are never written without it.
  const std::string countRefusal = rt::IniRefusal(section, entry, std::to_string(count));
  if (!countRefusal.empty()) {
    rt::SetError(rt::ErrInvalidArgument, "Invalid Argument: " + countRefusal + " (the list's count)");
    return false;
  }
  std::vector<std::string> values;
  values.reserve(static_cast<std::size_t>(count > 0 ? count : 0));
  for (int32_t i = 1; i <= count; ++i) {
    list.Get(i);
    const std::string texts[] = {first.Text(), second.Text(), third.Text()};
    std::string value = texts[0];
    if (second.Given()) value += ',' + texts[1];
    if (third.Given()) value += ',' + texts[2];
    value.resize(rt::FitBytes(value, ListValueBuffer - 1));
    const std::string name = NumberedEntry(entry, static_cast<uint32_t>(i));
    // The fields are joined by commas without quoting, as saved lists have
    // always been, so a comma inside a field would split it when read back.
    const bool comma = std::any_of(std::begin(texts), std::end(texts),
                                   [](const std::string& t) { return t.find(',') != std::string::npos; });
    const std::string refusal = comma ? "a comma in a field" : rt::IniRefusal(section, name, value);
    if (!refusal.empty()) {
      rt::SetError(rt::ErrInvalidArgument, "Invalid Argument: " + refusal + " (list entry " + name + ")");
      return false;
    }
    values.push_back(std::move(value));
  }

  // The whole list goes to the file in one crash-safe write, not one per
  // entry: a long list would otherwise rewrite the file once per entry.
  rt::IniBatch batch(FILENAME.view());
  WriteValue(section, entry, std::to_string(count));
  for (std::size_t i = 0; i < values.size(); ++i)
    WriteValue(section, NumberedEntry(entry, static_cast<uint32_t>(i + 1)), values[i]);
  return batch.Commit();
}

}  // namespace quibra
