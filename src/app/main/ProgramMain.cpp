// The entry point: the linked backend draws the windows; the program takes
// nothing from its command line or environment and ends with exit code 0.
#include "app/ProgramBody.h"
#include "backends/InstallBackend.h"
#include "runtime/Program.h"

int main() {
  backend::Install();
  rt::Exit(quibra::RunProgram());
}
