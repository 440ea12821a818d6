// quibra-uia: a small UI-automation driver for the Windows program. It runs
// the program, finds its windows and controls by class, text and id, presses
// them with messages as a person would, and checks what they show.
//   quibra-uia e2e <QuibraD.exe> <folder>
//   quibra-uia screenshots <QuibraD.exe> <ErrorWindowDemo.exe> <LongTextDemo.exe> <folder> <out folder>
// The folder is where the program runs (its INI file is written there).
// The exit code is the number of failed checks (at most 100), 2 for bad usage.
#include <cstdio>
#include <string>

#include "EndToEnd.h"

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  int failures = -1;
  if (mode == "e2e" && argc == 4) failures = uia::RunEndToEnd(argv[2], argv[3]);
  if (mode == "screenshots" && argc == 7) failures = uia::TakeScreenshots(argv[2], argv[3], argv[4], argv[5], argv[6]);
  if (failures < 0) {
    std::fprintf(
        stderr,
        "usage: quibra-uia e2e <QuibraD.exe> <folder>\n"
        "       quibra-uia screenshots <QuibraD.exe> <ErrorWindowDemo.exe> <LongTextDemo.exe> <folder> <out folder>\n");
    return 2;
  }
  return failures > 100 ? 100 : failures;
}
