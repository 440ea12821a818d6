#pragma once
// One data file of the framework: the file, its record buffer, its keys and
// its name, and how it is opened (the access mode, whether a missing file is
// created, whether the physical open waits for the first use, and the number
// sent with the driver's recover command). It opens the file with retries
// and recovery, records and reports failures through the error manager by
// error id, and keeps numbered saved states of the record (its buffer, its
// large-object fields and its null flags) that a form puts back or compares
// with.
//
// What the file's own class would add (setting a manager up, the logical
// open and close) is here as Attach, Open and Close, so that a window can
// use a manager without more.
#include <cstdint>
#include <string>
#include <string_view>

#include "framework/file/FileAccessEntries.h"
#include "framework/window/FormFile.h"
#include "framework/window/Level.h"
#include "runtime/Binding.h"
#include "runtime/Queue.h"
#include "runtime/Text.h"

namespace rt {
class File;
}

namespace quibra {

class ErrorManager;

// The usage values PrepareForUse passes on to the file-use registry.
enum FileUsage : uint8_t {
  UsagePosition = 2,  // a position is taken or re-read
  UsageForm = 3,      // a form works on the record
  UsageUnnoted = 4,   // the registry is left out
};

class FileAccessManager : public FormFile {
 public:
  // Fields in order.
  RecordArea RECORDAREA;
  rt::Queue<SavedStateEntry>* SAVEDSTATES = nullptr;  // ascending by STATEID
  uint8_t CREATEIFMISSING = 0;
  ErrorManager* ERRORHANDLER = nullptr;
  rt::File* DATAFILE = nullptr;
  rt::Binding NAMEVARIABLE{};  // when its address is set, the variable names the file
  rt::FixedString<256> FIXEDNAME;
  rt::Queue<ThreadStateEntry>* THREADSTATES = nullptr;  // ascending by THREADKEY
  rt::Queue<KeyListEntry>* KEYLIST = nullptr;
  uint8_t OPENONUSE = 0;
  int16_t RECOVERVALUE = 0;
  uint8_t ACCESSMODE = 0;   // bits 0-1 the access (0 read-only), bits 4-7 the sharing
  uint8_t POSITIONKEY = 0;  // entry of KEYLIST that gives positions; 0 = the file's order
  rt::Queue<HeldStateEntry>* HELDSTATES = nullptr;

  // Every field cleared and the four lists made, empty.
  FileAccessManager();
  virtual ~FileAccessManager();
  FileAccessManager(const FileAccessManager&) = delete;
  FileAccessManager& operator=(const FileAccessManager&) = delete;

  // Sets the manager up for a file whose record lies in `record`: the file,
  // its name, its keys in KEYLIST, the buffer and the error manager.
  void Attach(rt::File& file, void* record, uint32_t size, ErrorManager& errors);
  // The logical open: counts one open under the thread's key and, unless the
  // physical open waits for the first use, opens the file at once (failures
  // reported). A failed open does not count.
  Level Open();
  // The logical close: the last close under the thread's key closes the
  // file, and the next use opens it again.
  void Close();

  // Readies the file for one use by the calling thread; opens it on first use.
  Level PrepareForUse(uint8_t usage) override;
  // The physical open with its retries; `report` 0 records failures without
  // telling the user (the read-only notice excepted) and gives 5.
  Level OpenPhysically(uint8_t report);
  // The current record's position, or empty text when the file cannot be used.
  std::string CurrentPosition() override;
  // Re-reads the record at a position: 0 done, 3 file unusable, 5 failed.
  Level RefetchAt(const std::string& position) override;
  // Makes the calling thread's state entry current (creating it) and gives
  // the file's name to the error manager.
  void SelectThreadState();
  // Records the runtime's error state and the id without telling the user.
  void RecordError(uint16_t errorId);
  std::string CurrentFileName();

  // Virtual operations, in slot order.
  uint8_t BufferUnchanged(uint16_t savedStateId) override;
  Level InsertRecord() override;
  Level ReadyNewRecord() override;
  virtual Level ReportError(uint16_t errorId);
  virtual Level ReportRecordedError();

  // Saved states: n + 2 parts from the base id the caller holds (0 = none).
  uint16_t SaveState() override;
  // Puts the state back when putBack is non-zero and releases it in either
  // case; the caller then holds 0.
  void RestoreState(uint16_t& savedStateId, uint8_t putBack) override;
  uint16_t HoldFileState();
  // The text without trailing spaces, at least one byte (a blank text is one space).
  static std::string CopyClipped(std::string_view text);

  // The calling thread's state entry, made when missing.
  ThreadStateEntry ThreadState();

 private:
  int32_t ThreadKey();
  void StoreThreadState(const ThreadStateEntry& entry);
  ErrorManager& Errors();
  // The file's key number for positions: 0 for the file's order.
  int32_t PositionKey();
  std::string PositionNow();
  std::string BufferBytes() const;
  int32_t LargeObjectCount();
  // The saved part with this id, made current; false when none is held.
  bool FindPart(int32_t id);
};

}  // namespace quibra
