// Shows one case of the box behaviour table on the terminal it runs in, for
// the tests that run it in a terminal of their own and answer it there:
//   terminal_box_child runtime|native|request <case> <result file>
// The box's answer is written to the result file as a number. With
// "history" (and any case) it shows the error window over a history of
// three errors instead, and writes 1 when it has closed.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "backends/terminal/TerminalBackend.h"
#include "composer/NativeMessageHook.h"
#include "framework/error/ErrorManager.h"
#include "framework/error/ErrorWindowModule.h"
#include "runtime/Address.h"
#include "runtime/MessageBox.h"
#include "runtime/Property.h"
#include "support/BoxCases.h"
#include "support/ErrorHistoryCase.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: terminal_box_child runtime|native|request <case> <result file>\n");
    return 2;
  }
  const std::string drawer = argv[1];
  if (drawer == "history") {
    terminal::Install({.failureStatus = 69});
    quibra::ErrorWindowModuleSetup(0);
    quibra::ErrorManager manager;
    quibra_test::RaiseThreeErrors(manager);
    manager.ShowHistory();
    manager.Shutdown();
    quibra::ErrorWindowModuleSetup(1);
    FILE* out = std::fopen(argv[3], "w");
    return out && std::fputs("1\n", out) >= 0 && std::fclose(out) == 0 ? 0 : 1;
  }
  const std::size_t index = std::strtoul(argv[2], nullptr, 10);
  if (index >= box_cases::Cases().size()) return 2;
  terminal::Install({.failureStatus = 69});
  const rt::BoxRequest request = box_cases::RequestOf(box_cases::Cases()[index]);
  int32_t result = 0;
  if (drawer == "request") {
    result = rt::AskNativeBox(request).button;
  } else {
    if (drawer == "native")
      rt::SetProperty(rt::SystemTarget, rt::PropMessageHook, rt::FunctionAddressNumber(&quibra::NativeMessageHook));
    result = rt::ShowBox(request);
  }
  FILE* out = std::fopen(argv[3], "w");
  if (!out) return 1;
  std::fprintf(out, "%d\n", result);
  return std::fclose(out) == 0 ? 0 : 1;
}
