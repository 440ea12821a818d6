// Shows a text of 200 short lines (the native box keeps 511 characters of
// it, some 130 lines) in a message box of each style, first the native
// one ("Thread Safe") and then the runtime's own: for the screenshots of the
// documentation.
#include <string>

#include "backends/InstallBackend.h"
#include "composer/NativeMessageHook.h"
#include "runtime/Address.h"
#include "runtime/MessageBox.h"
#include "runtime/Program.h"
#include "runtime/Property.h"

int main() {
  backend::Install();
  std::string text;
  for (int i = 1; i <= 200; ++i) text += (i > 1 ? "|" : "") + std::to_string(i);
  rt::SetProperty(rt::SystemTarget, rt::PropMessageHook, rt::FunctionAddressNumber(&quibra::NativeMessageHook));
  rt::MessageBox(text, "Thread Safe", rt::IconAsterisk, "1", 0, 0, 0, 0, 0);
  rt::SetProperty(rt::SystemTarget, rt::PropMessageHook, int64_t{0});
  rt::MessageBox(text, "Runtime", rt::IconAsterisk, "1", 0, 0, 0, 0, 0);
  rt::Exit(0);
}
