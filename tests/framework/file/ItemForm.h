#pragma once
// A small form window of our own over the item file: three entries bound to
// the item record, an OK and a Cancel button, and a record relation that
// inserts, changes and deletes through the file's access manager. It runs
// through the real event loop and is driven by the scripted user.
#include <functional>
#include <string>
#include <vector>

#include "FileKit.h"
#include "framework/window/RecordRelation.h"
#include "framework/window/WindowController.h"
#include "runtime/Window.h"

namespace filetest {

enum FormControls : int32_t { CtlCode = 1, CtlName = 2, CtlQty = 3, CtlOk = 4, CtlCancel = 5 };

class ItemRelation : public quibra::RecordRelation {
 public:
  ItemRelation(quibra::FileAccessManager& manager, quibra::ErrorManager& errors);

  // Abandoning an insert keeps nothing: the record was never added.
  uint8_t AbandonInsert() override;
  // Asks "Confirm Delete" first when ask is 1.
  uint8_t DeleteCurrent(uint8_t ask) override;
  void BeginRequest() override;
  // 0 written; 1 when another program holds the file (worth a retry); 2
  // otherwise, after telling the user.
  uint8_t UpdateCurrent(uint8_t flag) override;

  quibra::FileAccessManager& manager;
  quibra::ErrorManager& errors;
  std::vector<std::string> calls;  // "Abandon", "Delete(1)", "Begin", "Update(0)"
  uint8_t abandonResult = 0;
  std::function<void(int call)> onUpdate;  // runs before each write, numbered from 1
};

class ItemForm : public quibra::WindowController {
 public:
  ItemForm(ItemRelation& relation, quibra::ErrorManager& errors, Item& item);

  // The base set-up, the form's own settings, then configure, then the
  // request; a request settled at once (a delete) opens no window.
  quibra::Level Setup() override;
  quibra::Level Shutdown() override;
  // A new record: empty, with a quantity of 1.
  void PrimeNewRecord() override;

  ItemRelation& relation;
  quibra::ErrorManager& errors;
  Item& item;
  rt::Window* window = nullptr;
  std::function<void(ItemForm&)> configure;
  int primes = 0;
};

// Registers the form's window definition (module "b8form", window "ITEM").
void RegisterItemForm();
// Every record of the file in its own order, "CODE|NAME|QTY" joined with ";".
std::string AllItems(const std::string& path);

}  // namespace filetest
