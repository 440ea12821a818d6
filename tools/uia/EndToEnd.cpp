#include "EndToEnd.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "Automation.h"
#include "Boxes.h"
#include "ComposerChecks.h"
#include "Program.h"
#include "Report.h"
#include "Settings.h"
#include "composer/ComposerWindowDef.h"

namespace uia {
namespace {

constexpr int kWindowWait = 30000;   // ms: Wine may start slowly on a busy machine
constexpr int kExclamation = 32515;  // IDI_EXCLAMATION

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Waits for the next box and reads it; a null hwnd when none came.
Box NextBox(const Program& program, HWND composer, Report& report, const std::string& what) {
  HWND hwnd = WaitForWindow([&] { return FindBox(program.Id(), composer); }, kWindowWait);
  if (!report.Check(hwnd != nullptr, what + " appears")) return {};
  return ReadBox(hwnd);
}

// Presses a box's button and waits until the box has gone.
void Answer(const Box& box, const std::string& caption, Report& report) {
  const BoxButton* b = box.Button(caption);
  if (!report.Check(b != nullptr, "the box has a button \"" + caption + "\"")) return;
  Click(b->hwnd);
  report.Check(WaitUntil([&] { return !IsWindow(box.hwnd) || !IsWindowVisible(box.hwnd); }, kWindowWait),
               "the box closes when \"" + caption + "\" is pressed");
}

// A report box: "<text>" with one OK button, answered.
void ExpectReport(const Program& program, HWND composer, bool native, const std::string& text, Report& report) {
  Box r = NextBox(program, composer, report, "the report " + Visible(text));
  if (!r.hwnd) return;
  report.Equal(r.native, native, std::string("the report is drawn by ") + (native ? "the system" : "the runtime"));
  report.Check(r.lines.size() == 1 && r.lines[0] == text, "the report reads " + Visible(text));
  Answer(r, "OK", report);
}

void ShowMessageWithStartValues(const Program& program, HWND composer, Report& report) {
  Click(ChildById(composer, quibra::ControlShowMessage).hwnd);
  Box box = NextBox(program, composer, report, "the Thread Safe message box");
  if (!box.hwnd) return;
  report.Check(box.native, "\"Thread Safe\" shows the system's own message box (class #32770)");
  report.Equal(box.title, "Quibra Demo", "its title");
  report.Equal(static_cast<long long>(box.lines.size()), 2, "its text has two lines");
  if (box.lines.size() == 2) {
    report.Equal(box.lines[0], "Test Message ", "first line");
    report.Equal(box.lines[1], " Second Line", "second line");
  }
  report.Equal(static_cast<long long>(box.buttons.size()), 1, "it has one button");
  report.Check(box.Button("OK") != nullptr, "the button is OK");
  report.Equal(box.icon, kExclamation, "it shows the exclamation icon");
  report.Check(GetWindow(box.hwnd, GW_OWNER) == composer, "it is owned by the composer window");
  report.Check(!IsWindowEnabled(composer), "the composer window waits while the box is open");
  Answer(box, "OK", report);
  ExpectReport(program, composer, true, "BUTTON:OK was pressed", report);
}

void YesNoCancelWithDefaultThree(const Program& program, HWND composer, Report& report) {
  Click(ChildById(composer, quibra::ControlButtonYesNoCancel).hwnd);  // BUTTON:YES + BUTTON:NO + BUTTON:CANCEL
  report.Check(
      WaitUntil([&] { return IsChecked(ChildById(composer, quibra::ControlButtonYesNoCancel).hwnd); }, kWindowWait),
      "choosing the Yes/No/Cancel radio checks it");
  report.Check(!IsChecked(ChildById(composer, quibra::ControlButtonOk).hwnd), "and unchecks BUTTON:OK");
  SetText(ChildById(composer, quibra::ControlDefaultButton).hwnd, "3");
  Click(ChildById(composer, quibra::ControlShowMessage).hwnd);
  Box box = NextBox(program, composer, report, "the Yes/No/Cancel box");
  if (!box.hwnd) return;
  report.Check(box.buttons.size() == 3 && box.Button("Yes") && box.Button("No") && box.Button("Cancel"),
               "it has the buttons Yes, No and Cancel");
  report.Equal(box.defaultButton, "Cancel", "default button 3 makes Cancel the default");
  const BoxButton* cancel = box.Button("Cancel");
  report.Check(cancel && box.focus == cancel->hwnd, "Cancel has the focus");
  Answer(box, "No", report);
  ExpectReport(program, composer, true, "BUTTON:NO was pressed", report);
}

void RuntimeStyle(const Program& program, HWND composer, Report& report) {
  Click(ChildById(composer, quibra::ControlRuntime).hwnd);  // Runtime
  report.Check(WaitUntil([&] { return IsChecked(ChildById(composer, quibra::ControlRuntime).hwnd); }, kWindowWait),
               "choosing \"Runtime\" checks it");
  Click(ChildById(composer, quibra::ControlButtonOk).hwnd);  // back to BUTTON:OK
  WaitUntil([&] { return IsChecked(ChildById(composer, quibra::ControlButtonOk).hwnd); }, kWindowWait);
  SetText(ChildById(composer, quibra::ControlDefaultButton).hwnd, "0");
  Click(ChildById(composer, quibra::ControlShowMessage).hwnd);
  Box box = NextBox(program, composer, report, "the Runtime message box");
  if (!box.hwnd) return;
  report.Check(!box.native, "\"Runtime\" shows the runtime's own box (a runtime window)");
  report.Equal(box.title, "Quibra Demo", "its title");
  report.Check(box.lines.size() == 2 && box.lines[0] == "Test Message " && box.lines[1] == " Second Line",
               "its text reads \"Test Message \" and \" Second Line\"");
  report.Check(box.buttons.size() == 1 && box.Button("OK"), "its one button is OK");
  report.Equal(box.defaultButton, "OK", "OK is its default button");
  report.Equal(box.icon, kExclamation, "it shows the exclamation icon");
  report.Check(GetWindow(box.hwnd, GW_OWNER) == composer, "it stands over the composer window");
  Answer(box, "OK", report);
  ExpectReport(program, composer, false, "BUTTON:OK was pressed", report);

  // Access keys: Alt+N answers a Yes/No box of the runtime with No.
  Click(ChildById(composer, quibra::ControlButtonYesNo).hwnd);  // BUTTON:YES + BUTTON:NO
  WaitUntil([&] { return IsChecked(ChildById(composer, quibra::ControlButtonYesNo).hwnd); }, kWindowWait);
  Click(ChildById(composer, quibra::ControlShowMessage).hwnd);
  Box yesNo = NextBox(program, composer, report, "the runtime's Yes/No box");
  if (!yesNo.hwnd) return;
  report.Check(yesNo.buttons.size() == 2 && yesNo.Button("Yes") && yesNo.Button("No"), "it has Yes and No");
  PressAccessKey(yesNo.hwnd, 'n');
  report.Check(WaitUntil([&] { return !IsWindow(yesNo.hwnd) || !IsWindowVisible(yesNo.hwnd); }, kWindowWait),
               "Alt+N answers it");
  ExpectReport(program, composer, false, "BUTTON:NO was pressed", report);
}

}  // namespace

int RunEndToEnd(const std::string& exe, const std::string& folder) {
  Report report;
  // Full-window dragging is on, as the user left it: the program turns it off
  // while it runs and back on at the end, in the profile and broadcast.
  SettingListener listener(SPI_SETDRAGFULLWINDOWS);
  report.Check(SetDragFullWindows(true) && DragFullWindowsInProfile() == "1",
               "full-window dragging is on at the start");
  WaitUntil([&] { return listener.Heard() == 1; }, 2000);
  const int heardBefore = listener.Heard();  // our own broadcast, when it reached us
  Program program;
  if (!report.Check(program.Start(exe, folder), "start " + exe + " " + program.Error())) return 1;

  Box intro = NextBox(program, nullptr, report, "the intro box");
  if (!intro.hwnd) return report.Failures();
  report.Check(!intro.native, "the intro is the runtime's own box");
  report.Check(intro.lines.size() == 1 && intro.lines[0] == "OvQuibra Demo", "the intro reads \"OvQuibra Demo\"");
  Answer(intro, "OK", report);

  HWND composer = WaitForWindow(
      [&] { return FindWindowWithControl(program.Id(), "OvQuibra Demo", quibra::ControlClose); }, kWindowWait);
  if (!report.Check(composer != nullptr, "the composer window \"OvQuibra Demo\" opens")) return report.Failures();
  report.Equal(DragFullWindowsInProfile(), "0", "while the program runs, full-window dragging is off in the profile");
  report.Equal(listener.Heard() - heardBefore, 1, "the program broadcast the change");
  CheckComposerControls(composer, report);
  CheckComposerLayout(composer, report);
  CheckTabOrder(composer, report);

  ShowMessageWithStartValues(program, composer, report);
  YesNoCancelWithDefaultThree(program, composer, report);
  RuntimeStyle(program, composer, report);

  Click(ChildById(composer, quibra::ControlClose).hwnd);
  report.Equal(program.WaitForExit(kWindowWait), 0, "\"Close\" ends the program with exit code");
  report.Equal(DragFullWindowsInProfile(), "1", "after the program, full-window dragging is on again");
  WaitUntil([&] { return listener.Heard() - heardBefore >= 2; }, 5000);
  report.Equal(listener.Heard() - heardBefore, 2, "the program broadcast both of its changes");
  const std::string ini = ReadFile(folder + "\\QuibraD.INI");
  report.Check(ini.find("[__Dont_Touch_Me__]") != std::string::npos,
               "QuibraD.INI holds the section [__Dont_Touch_Me__]");
  std::printf("%d checks, %d failed\n", report.Checks(), report.Failures());
  return report.Failures();
}

}  // namespace uia
