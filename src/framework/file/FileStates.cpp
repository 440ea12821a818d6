// Saved record states: numbered copies of the record buffer, its large-object
// fields and its null flags, put back or released by id, compared with the
// record, and held file states.
//
// The record buffer is kept without its trailing spaces and refilled with
// spaces when it is put back, so it returns byte for byte. Large-object
// fields and null flags are kept exactly as they were: their trailing
// spaces are contents, and a value cut of them would not come back whole.
#include <algorithm>
#include <cstring>
#include <utility>

#include "framework/file/FileAccessManager.h"
#include "runtime/ErrorState.h"
#include "runtime/File.h"
#include "runtime/FileProperties.h"

namespace quibra {

namespace {

int ByStateId(const SavedStateEntry& a, const SavedStateEntry& b) {
  return a.STATEID < b.STATEID ? -1 : a.STATEID > b.STATEID ? 1 : 0;
}

// A file has at most this many large-object fields.
constexpr int32_t kMostLargeObjects = 255;

}  // namespace

std::string FileAccessManager::CopyClipped(std::string_view text) {
  const std::size_t end = text.find_last_not_of(' ');
  if (end == std::string_view::npos) return " ";
  return std::string(text.substr(0, end + 1));
}

std::string FileAccessManager::BufferBytes() const {
  if (!RECORDAREA.address) return {};
  return std::string(static_cast<const char*>(RECORDAREA.address), RECORDAREA.size);
}

int32_t FileAccessManager::LargeObjectCount() {
  if (!DATAFILE) return 0;
  const int64_t n = rt::ToNumber(DATAFILE->GetProperty(rt::PropLargeObjectCount));
  return static_cast<int32_t>(std::clamp<int64_t>(n, 0, kMostLargeObjects));
}

bool FileAccessManager::FindPart(int32_t id) {
  SAVEDSTATES->buffer.STATEID = id;
  return SAVEDSTATES->GetSorted(&ByStateId);
}

uint16_t FileAccessManager::SaveState() {
  const int32_t base = SAVEDSTATES->Records() == 0 ? 1 : SAVEDSTATES->At(SAVEDSTATES->Records()).STATEID + 1;
  const int32_t n = LargeObjectCount();
  // Ids are 16 bits: a state that would not fit is not taken, rather than
  // one whose parts wrap onto another's.
  if (base + n + 1 > 0xFFFF) return 0;
  SAVEDSTATES->buffer = {base, CopyClipped(BufferBytes())};
  SAVEDSTATES->Add(&ByStateId);
  for (int32_t i = 1; i <= n; ++i) {
    SAVEDSTATES->buffer = {base + i, DATAFILE->GetProperty(rt::PropLargeObject, -i)};
    SAVEDSTATES->Add(&ByStateId);
  }
  SAVEDSTATES->buffer = {base + n + 1, DATAFILE ? DATAFILE->GetNulls() : std::string()};
  SAVEDSTATES->Add(&ByStateId);
  return static_cast<uint16_t>(base);
}

void FileAccessManager::RestoreState(uint16_t& savedStateId, uint8_t putBack) {
  if (savedStateId == 0 || !FindPart(savedStateId)) return;
  // The caller's id names no state once this one is released.
  const uint16_t id = std::exchange(savedStateId, 0);
  if (putBack && RECORDAREA.address) {
    const std::string& copy = SAVEDSTATES->buffer.COPY;
    const std::size_t n = std::min<std::size_t>(copy.size(), RECORDAREA.size);
    std::memcpy(RECORDAREA.address, copy.data(), n);
    std::memset(static_cast<char*>(RECORDAREA.address) + n, ' ', RECORDAREA.size - n);
  }
  SAVEDSTATES->Delete();
  const int32_t n = LargeObjectCount();
  for (int32_t i = 1; i <= n; ++i) {
    if (!FindPart(id + i)) continue;
    if (putBack) DATAFILE->SetProperty(rt::PropLargeObject, SAVEDSTATES->buffer.COPY, -i);
    SAVEDSTATES->Delete();
  }
  if (FindPart(id + n + 1)) {
    // Released without putting back, the record keeps its own null flags:
    // flags of an older record would null fields of the one now held.
    if (putBack && DATAFILE) DATAFILE->SetNulls(SAVEDSTATES->buffer.COPY);
    SAVEDSTATES->Delete();
  }
}

uint8_t FileAccessManager::BufferUnchanged(uint16_t savedStateId) {
  // Without a saved state nothing says the record is unchanged, so it is
  // taken as changed: the user is asked rather than a change lost.
  if (savedStateId == 0 || !FindPart(savedStateId)) return 0;
  if (SAVEDSTATES->buffer.COPY != CopyClipped(BufferBytes())) return 0;
  const int32_t n = LargeObjectCount();
  for (int32_t i = 1; i <= n; ++i)
    if (!FindPart(savedStateId + i) || SAVEDSTATES->buffer.COPY != DATAFILE->GetProperty(rt::PropLargeObject, -i))
      return 0;
  if (!FindPart(savedStateId + n + 1)) return 0;
  const std::string nulls = DATAFILE ? DATAFILE->GetNulls() : std::string();
  return SAVEDSTATES->buffer.COPY == nulls ? 1 : 0;
}

uint16_t FileAccessManager::HoldFileState() {
  const uint16_t number =
      HELDSTATES->Records() == 0 ? 1 : static_cast<uint16_t>(HELDSTATES->At(HELDSTATES->Records()).HOLDNUMBER + 1);
  HeldStateEntry held;
  held.HOLDNUMBER = number;
  held.HOLDSTATEID = SaveState();
  held.PLATFORMSTATE = DATAFILE && DATAFILE->IsOpen() ? DATAFILE->GetState() : 0;
  held.HOLDPOSITION = PositionNow();
  held.HOLDSTATUS = ThreadState().STATUS2;
  HELDSTATES->buffer = held;
  HELDSTATES->Add();
  return number;
}

}  // namespace quibra
