// quibra-uia: a small UI-automation driver for the Windows program. It runs
// the program, finds its windows and controls by class, text and id, presses
// them with messages as a person would, and checks what they show.
//   quibra-uia e2e <QuibraD.exe> <folder>
//   quibra-uia screenshots <QuibraD.exe> <ErrorWindowDemo.exe> <LongTextDemo.exe> <folder> <out folder>
//   quibra-uia wait-box <milliseconds>
// wait-box waits until another program's box (the system's message box or
// one of the runtime's windows) is in front with a control focused, so that a
// key pressed on the display reaches it; it ends with 0 then, 1 when none
// came in time.
// The folder is where the program runs (its INI file is written there).
// The exit code is the number of failed checks (at most 100), 2 for bad usage.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Automation.h"
#include "Boxes.h"
#include "EndToEnd.h"

namespace {

bool BoxInFront() {
  HWND front = GetForegroundWindow();
  DWORD process = 0;
  if (!front || !IsWindowVisible(front) || !GetWindowThreadProcessId(front, &process) ||
      process == GetCurrentProcessId())
    return false;
  const std::string name = uia::ClassOf(front);
  return (name == uia::kSystemBoxClass || name == uia::kRuntimeClass) && uia::FocusOf(front);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  int failures = -1;
  if (mode == "e2e" && argc == 4) failures = uia::RunEndToEnd(argv[2], argv[3]);
  if (mode == "wait-box" && argc == 3) return uia::WaitUntil(&BoxInFront, std::atoi(argv[2])) ? 0 : 1;
  if (mode == "screenshots" && argc == 7) failures = uia::TakeScreenshots(argv[2], argv[3], argv[4], argv[5], argv[6]);
  if (failures < 0) {
    std::fprintf(
        stderr,
        "usage: quibra-uia e2e <QuibraD.exe> <folder>\n"
        "       quibra-uia screenshots <QuibraD.exe> <ErrorWindowDemo.exe> <LongTextDemo.exe> <folder> <out folder>\n"
        "       quibra-uia wait-box <milliseconds>\n");
    return 2;
  }
  return failures > 100 ? 100 : failures;
}
