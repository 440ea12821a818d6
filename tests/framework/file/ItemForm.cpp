#include "ItemForm.h"

#include <algorithm>

#include "framework/error/ErrorManager.h"
#include "runtime/ErrorState.h"
#include "runtime/WindowDef.h"
#include "support/TestControl.h"

#ifdef QUIBRA_HAVE_SQLITE
#include <sqlite3.h>
#endif

namespace filetest {

ItemRelation::ItemRelation(quibra::FileAccessManager& manager, quibra::ErrorManager& errors)
    : manager(manager), errors(errors) {
  PRIMARYFILE = &manager;
}

uint8_t ItemRelation::AbandonInsert() {
  calls.push_back("Abandon");
  return abandonResult;
}

uint8_t ItemRelation::DeleteCurrent(uint8_t ask) {
  calls.push_back("Delete(" + std::to_string(ask) + ")");
  if (ask == 1 && errors.Raise(9) != quibra::LevelOk) return 1;
  if (manager.PrepareForUse(3) != quibra::LevelOk) return 2;
  return manager.DATAFILE->Delete() ? 0 : 1;
}

void ItemRelation::BeginRequest() { calls.push_back("Begin"); }

uint8_t ItemRelation::UpdateCurrent(uint8_t flag) {
  calls.push_back("Update(" + std::to_string(flag) + ")");
  if (onUpdate) onUpdate(static_cast<int>(std::count(calls.begin(), calls.end(), calls.back())));
  if (manager.PrepareForUse(3) != quibra::LevelOk) return 2;
  if (manager.DATAFILE->Put()) return 0;
  if (rt::ErrorCode() == rt::ErrAccessDenied) return 1;
  manager.ReportError(25);
  return 2;
}

ItemForm::ItemForm(ItemRelation& relation, quibra::ErrorManager& errors, Item& item)
    : relation(relation), errors(errors), item(item) {}

quibra::Level ItemForm::Setup() {
  if (quibra::Level r = WindowController::Setup(); r != quibra::LevelOk) return r;
  PRIMARY = &relation;
  ERRORS = &errors;
  FIRSTFIELD = CtlCode;
  OKCONTROL = CtlOk;
  AddButtonAction(CtlCancel, quibra::ResponseCancelled);
  if (configure) configure(*this);
  if (PrepareRequest() == quibra::LevelFatal) return quibra::LevelNotify;
  window = rt::PrepareWindow(
      "b8form", "ITEM",
      {rt::BindFixed(item.CODE, sizeof item.CODE), rt::BindFixed(item.NAME, sizeof item.NAME), rt::Bind(item.QTY)});
  rt::OpenWindow(window);
  OPENED = 1;
  return quibra::LevelOk;
}

quibra::Level ItemForm::Shutdown() {
  if (quibra::Level r = WindowController::Shutdown(); r != quibra::LevelOk) return r;
  rt::ReleaseWindow(window);
  window = nullptr;
  OPENED = 0;
  return quibra::LevelOk;
}

void ItemForm::PrimeNewRecord() {
  ++primes;
  relation.manager.ReadyNewRecord();
  item.QTY = 1;
}

void RegisterItemForm() {
  using K = rt::ControlKind;
  using quibra_test::TestControl;
  rt::WindowDef def{.module = "b8form", .name = "ITEM", .caption = "Item"};
  def.controls = {TestControl(CtlCode, K::Entry, "", "s8"), TestControl(CtlName, K::Entry, "", "s20"),
                  TestControl(CtlQty, K::Entry, "", "n6"), TestControl(CtlOk, K::Button),
                  TestControl(CtlCancel, K::Button)};
  ASSERT_TRUE(rt::RegisterWindow(def));
}

#ifdef QUIBRA_HAVE_SQLITE
std::string AllItems(const std::string& path) {
  sqlite3* db = nullptr;
  std::string all;
  sqlite3_stmt* st = nullptr;
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK &&
      sqlite3_prepare_v2(db, "SELECT CODE, NAME, QTY FROM records ORDER BY id", -1, &st, nullptr) == SQLITE_OK) {
    while (sqlite3_step(st) == SQLITE_ROW) {
      if (!all.empty()) all += ";";
      all += std::string(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))) + "|" +
             reinterpret_cast<const char*>(sqlite3_column_text(st, 1)) + "|" +
             std::to_string(sqlite3_column_int(st, 2));
    }
  }
  sqlite3_finalize(st);
  sqlite3_close(db);
  return all;
}
#endif

}  // namespace filetest
