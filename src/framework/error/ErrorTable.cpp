// The error table: loading stored tables, looking ids up, the error context
// and categories.
#include <string>

#include "framework/error/ErrorManager.h"
#include "runtime/ErrorState.h"

namespace quibra {

int32_t ErrorManager::LoadTable(const uint8_t* table, std::size_t size) {
  if (!ERRORS) ERRORS = std::make_unique<rt::Queue<ErrorEntry>>();
  if (table == nullptr || size < 2) return 0;
  const std::size_t count = table[0] | table[1] << 8;
  std::size_t at = 2;
  // Every read below is checked against the size first: an entry that does
  // not lie whole inside the table ends the load, whatever the count says.
  auto text = [&](std::string_view& into) {
    if (at >= size) return false;
    const std::size_t length = table[at];
    if (length > size - at - 1) return false;
    into = std::string_view(reinterpret_cast<const char*>(table + at + 1), length);
    at += 1 + length;
    return true;
  };
  int32_t loaded = 0;
  for (std::size_t n = 0; n < count; ++n) {
    if (size - at < 3) break;
    ErrorEntry entry;
    entry.ID = static_cast<uint16_t>(table[at] | table[at + 1] << 8);
    entry.FATALITY = table[at + 2];
    at += 3;
    if (!text(entry.TITLE) || !text(entry.MESSAGE)) break;
    ERRORS->buffer = std::move(entry);
    ERRORS->Add();
    ++loaded;
  }
  return loaded;
}

Level ErrorManager::Locate(uint16_t id) {
  if (!ERRORS) return LevelNotify;
  // From the end, so that a later table's definition overrides an earlier one.
  for (int32_t n = ERRORS->Records(); n >= 1; --n) {
    if (ERRORS->At(n).ID == id) {
      ERRORS->Get(n);
      unknownCurrent_ = false;
      return LevelOk;
    }
  }
  return LevelNotify;
}

const ErrorEntry& ErrorManager::CurrentEntry() const {
  if (unknownCurrent_ || !ERRORS) return unknown_;
  return ERRORS->buffer;
}

void ErrorManager::SelectUnknown(uint16_t id) {
  unknownTitle_ = "Unknown Error";
  unknownText_ = "Error " + std::to_string(id) + " is not defined.";
  unknown_ = ErrorEntry{};
  unknown_.ID = id;
  unknown_.TITLE = unknownTitle_;
  unknown_.MESSAGE = unknownText_;
  unknown_.FATALITY = LevelNotify;
  unknownCurrent_ = true;
}

void ErrorManager::NoteFile(std::string_view name) { FILENAME = rt::Clip(name); }

void ErrorManager::CaptureErrorState() {
  SAVEERRORCODE = rt::ErrorCode();
  SAVEERROR = rt::Clip(rt::ErrorText());
  SAVEFILEERRORCODE = rt::Clip(rt::FileErrorCode());
  SAVEFILEERROR = rt::Clip(rt::FileErrorText());
}

void ErrorManager::AssignCategory(uint16_t id, std::string_view category) {
  if (id == DefaultCategoryId) {
    DEFAULTCATEGORY = category;
    return;
  }
  if (Locate(id) != LevelOk) return;
  ERRORS->buffer.CATEGORY = category;
  ERRORS->Put();
}

std::string ErrorManager::CategoryOf(uint16_t id) {
  if (id == DefaultCategoryId || Locate(id) != LevelOk) return DEFAULTCATEGORY;
  const std::string& own = ERRORS->buffer.CATEGORY;
  return own.empty() ? DEFAULTCATEGORY : own;
}

}  // namespace quibra
