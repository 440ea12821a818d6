// The screenshots of the documentation, taken as a person sees the windows.
#include "Automation.h"
#include "Boxes.h"
#include "Capture.h"
#include "EndToEnd.h"
#include "Program.h"
#include "Report.h"
#include "composer/ComposerWindowDef.h"

// After <windows.h>, which Automation.h brings.
#include <commctrl.h>

namespace uia {
namespace {

constexpr int kWait = 30000;

// Captures a window once it has had time to draw itself.
void Shoot(HWND hwnd, const std::string& path, Report& report) {
  Sleep(700);
  report.Check(WritePng(GrabWindow(hwnd), path), "screenshot " + path);
}

HWND WaitBox(const Program& program, HWND except) {
  return WaitForWindow([&] { return FindBox(program.Id(), except); }, kWait);
}

void PressAndWait(HWND box, const std::string& caption, Report& report) {
  Box read = ReadBox(box);
  const BoxButton* b = read.Button(caption);
  if (!report.Check(b != nullptr, "the box has \"" + caption + "\"")) return;
  Click(b->hwnd);
  WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, kWait);
}

// Shows the message with the composer's current choices, captures the box,
// and answers it and its report.
void ShootBox(const Program& program, HWND composer, const std::string& path, Report& report) {
  Click(ChildById(composer, quibra::ControlShowMessage).hwnd);
  HWND box = WaitBox(program, composer);
  if (!report.Check(box != nullptr, "the message box appears")) return;
  Shoot(box, path, report);
  PressAndWait(box, "OK", report);
  if (HWND result = WaitBox(program, composer)) PressAndWait(result, "OK", report);
}

}  // namespace

int TakeScreenshots(const std::string& exe, const std::string& errorDemo, const std::string& longDemo,
                    const std::string& folder, const std::string& out) {
  Report report;
  {
    Program program;
    if (!report.Check(program.Start(exe, folder), "start " + exe + " " + program.Error())) return 1;
    HWND intro = WaitBox(program, nullptr);
    if (!report.Check(intro != nullptr, "the intro box appears")) return report.Failures();
    PressAndWait(intro, "OK", report);
    HWND composer = WaitForWindow(
        [&] { return FindWindowWithControl(program.Id(), "OvQuibra Demo", quibra::ControlClose); }, kWait);
    if (!report.Check(composer != nullptr, "the composer window opens")) return report.Failures();
    Shoot(composer, out + "\\win32-composer.png", report);
    ShootBox(program, composer, out + "\\win32-box-thread-safe.png", report);
    Click(ChildById(composer, quibra::ControlRuntime).hwnd);  // the "Runtime" style
    WaitUntil([&] { return IsChecked(ChildById(composer, quibra::ControlRuntime).hwnd); }, kWait);
    ShootBox(program, composer, out + "\\win32-box-runtime.png", report);
    Click(ChildById(composer, quibra::ControlClose).hwnd);
    report.Equal(program.WaitForExit(kWait), 0, "the program ends");
  }
  {
    Program demo;
    if (!report.Check(demo.Start(errorDemo, folder), "start " + errorDemo + " " + demo.Error())) return 1;
    HWND window = WaitForWindow([&] { return FindWindowWithControl(demo.Id(), "", 200); }, kWait);
    if (!report.Check(window != nullptr, "the error window opens")) return report.Failures();
    HWND list = ChildById(window, 200).hwnd;
    DWORD_PTR rows = 0;
    SendMessageTimeoutA(list, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 2000, &rows);
    report.Equal(static_cast<long long>(rows), 3, "the error window lists three history entries");
    Shoot(window, out + "\\win32-error-window.png", report);
    PressAndWait(window, "Ok", report);
    report.Equal(demo.WaitForExit(kWait), 0, "the error window demo ends");
  }
  {
    // A long text in each style, each box shot a page down.
    Program demo;
    if (!report.Check(demo.Start(longDemo, folder), "start " + longDemo + " " + demo.Error())) return 1;
    for (const char* style : {"thread-safe", "runtime"}) {
      HWND box = WaitBox(demo, nullptr);
      if (!report.Check(box != nullptr, std::string("the long ") + style + " box appears")) return report.Failures();
      HWND text = FindWindowExA(box, nullptr, "Edit", nullptr);
      report.Check(text != nullptr, std::string("the long ") + style + " box's text scrolls");
      if (text) SendMessageTimeoutA(text, WM_VSCROLL, SB_PAGEDOWN, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
      Shoot(box, out + "\\win32-long-" + style + ".png", report);
      PressAndWait(box, "OK", report);
    }
    report.Equal(demo.WaitForExit(kWait), 0, "the long text demo ends");
  }
  return report.Failures();
}

}  // namespace uia
