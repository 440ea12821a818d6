// Shows the framework's error message window with three entries in its
// history, as a program that keeps a history shows it when a third error
// arrives: for the screenshots of the documentation.
#include "backends/InstallBackend.h"
#include "framework/error/ErrorManager.h"
#include "runtime/Program.h"

int main() {
  backend::Install();
  quibra::ErrorManager manager;
  manager.Setup();
  manager.HISTORYTHRESHOLD = -1;  // keep every message
  manager.HISTORYVIEWLEVEL = quibra::LevelNotify;
  manager.AssignCategory(13, "Data");

  // The first two are kept in the history without being shown.
  manager.SILENT = 1;
  manager.FIELDNAME = "Quantity";
  manager.MESSAGETEXT = "100";
  manager.Raise(17);  // "The value of Quantity must be lower than 100."
  manager.MESSAGETEXT = "CUS:NAMEKEY";
  manager.Raise(13);  // a duplicate key
  manager.SILENT = 0;
  manager.Raise(20);  // "This form cannot be used to insert a record": the window shows all three

  manager.Shutdown();
  rt::Exit(0);
}
