#pragma once
// What a form window needs of a file it edits: its saved record states, its
// position, and the record operations whose bodies belong to the file's own
// class. The file access manager is one.
#include <cstdint>
#include <string>

#include "framework/window/Level.h"

namespace quibra {

class FormFile {
 public:
  // Gets the file ready for use; `usage` as the file access manager reads it.
  virtual Level PrepareForUse(uint8_t usage) = 0;
  // The position text of the current record; blank when the file cannot be used.
  virtual std::string CurrentPosition() = 0;
  virtual Level RefetchAt(const std::string& position) = 0;
  // Saves the record buffer; returns the saved state's id (0 = none).
  virtual uint16_t SaveState() = 0;
  // putBack 1 copies the saved record back; 0 releases the state only. The
  // caller's id is set to 0 either way: the state it named is gone.
  virtual void RestoreState(uint16_t& id, uint8_t putBack) = 0;
  // Non-zero when the record buffer still equals saved state `id`.
  virtual uint8_t BufferUnchanged(uint16_t id) = 0;
  // LevelOk = inserted.
  virtual Level InsertRecord() = 0;
  // LevelOk = the buffer is ready for a new record.
  virtual Level ReadyNewRecord() = 0;

 protected:
  ~FormFile() = default;
};

}  // namespace quibra
