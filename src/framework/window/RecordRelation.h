#pragma once
// The record a form window edits, in its primary file. A form window supplies
// its own; the controller relies only on these operations.
#include <cstdint>

namespace quibra {

class FormFile;

class RecordRelation {
 public:
  virtual ~RecordRelation() = default;
  // Non-zero: the insert could not be abandoned and the form must stay open.
  virtual uint8_t AbandonInsert() = 0;
  // Deletes the current record, asking first when ask is 1; 0 = deleted.
  virtual uint8_t DeleteCurrent(uint8_t ask) = 0;
  virtual void BeginRequest() = 0;
  // Writes the changed record: 0 written, 1 failed (the user may retry), other: failed.
  virtual uint8_t UpdateCurrent(uint8_t flag) = 0;

  FormFile* PRIMARYFILE = nullptr;
};

}  // namespace quibra
