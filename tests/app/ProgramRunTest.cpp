// The whole program, from its entry to exit code 0, on the headless backend
// with a scripted user.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <future>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/Globals.h"
#include "app/Modules.h"
#include "app/ProgramBody.h"
#include "backends/headless/Headless.h"
#include "composer/ComposerWindowDef.h"
#include "framework/error/ErrorWindowModule.h"
#include "framework/error/GlobalErrorManager.h"
#include "framework/window/WindowGlobals.h"
#include "platform/FileSystem.h"
#include "platform/ThisOs.h"
#include "platform/Win32Api.h"
#include "runtime/MessageBox.h"
#include "runtime/Program.h"
#include "runtime/Property.h"
#include "runtime/Window.h"
#include "runtime/WindowDef.h"
#include "support/HaltIntercept.h"
#include "support/ScopedVariable.h"
#include "support/TempDir.h"
#include "support/WindowLayout.h"

namespace {

using headless::User;
using quibra_test::ReadBytes;
using quibra_test::ScopedVariable;
using quibra_test::TempDir;
using quibra_test::WriteBytes;

class ProgramRun : public testing::Test {
 protected:
  headless::ScriptScope script;
  TempDir dir{true};
  // The settings folder is one of the test's own.
  ScopedVariable settingsHome{"XDG_CONFIG_HOME", dir.Path().string().c_str()};

  // Where the run keeps its settings: the settings folder on Linux, the
  // current directory on Windows.
  std::string SettingsFile() const { return os::kWindows ? "QuibraD.INI" : dir.File("quibra/QuibraD.INI"); }
  void WriteSettings(const std::string& bytes) const {
    if (!os::kWindows) std::filesystem::create_directory(dir.Path() / "quibra");
    WriteBytes(SettingsFile(), bytes);
  }

  static std::vector<headless::PlatformCall> DragCalls() {
    std::vector<headless::PlatformCall> calls;
    for (const auto& c : headless::PlatformCalls())
      if (c.function == "SystemParametersInfoA") calls.push_back(c);
    return calls;
  }
  static bool HookInstalled() { return rt::GetProperty(rt::SystemTarget, rt::PropMessageHook).Number() != 0; }
  // Runs the program once, the user closing the composer as soon as it is
  // up, and gives back the settings file the run leaves.
  std::string RunAndClose() {
    User().AnswerBox(rt::ButtonOk).Press(quibra::ControlClose);
    EXPECT_EQ(quibra::RunProgram(), 0);
    return ReadBytes(SettingsFile());
  }
};

TEST_F(ProgramRun, IntroThenStartValuesThenShowMessageThenClose) {
  User()
      .AnswerBox(rt::ButtonOk)
      .Run([] {
        rt::Window* w = rt::CurrentWindow();
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->Title(), "OvQuibra Demo");
        EXPECT_EQ(w->Contents(quibra::ControlMessageText), "Test Message | Second Line");
        EXPECT_EQ(w->Contents(quibra::ControlMessageTitle), "Quibra Demo");
        EXPECT_TRUE(w->IsChecked(quibra::ControlButtonOk)) << "BUTTON:OK";
        EXPECT_TRUE(w->IsChecked(quibra::ControlIconExclamation)) << "ICON:Exclamation";
        EXPECT_EQ(w->Contents(quibra::ControlDefaultButton), "0");
        EXPECT_EQ(w->Contents(quibra::ControlSystemModal), "0");
        EXPECT_TRUE(w->IsChecked(quibra::ControlThreadSafe)) << "Thread Safe";
        EXPECT_EQ(w->Focus(), quibra::ControlMessageText) << "the caret is in the message text";
      })
      .Press(quibra::ControlShowMessage)
      .AnswerBox(rt::ButtonOk)
      .AnswerBox(rt::ButtonOk)
      .Press(quibra::ControlClose);
  EXPECT_EQ(quibra::RunProgram(), 0);
  EXPECT_EQ(quibra::LastResponse, 2);

  const auto boxes = headless::Boxes();
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0].drawer, "runtime") << "the hook is not installed for the intro";
  EXPECT_EQ(boxes[0].text, "OvQuibra Demo");
  EXPECT_EQ(boxes[0].captions, std::vector<std::string>{"OK"});
  EXPECT_EQ(boxes[0].style, 0) << "the intro is not system-modal";
  EXPECT_EQ(boxes[1].drawer, "native");
  EXPECT_EQ(boxes[1].lines, (std::vector<std::string>{"Test Message ", " Second Line"}));
  EXPECT_EQ(boxes[1].caption, "Quibra Demo");
  EXPECT_EQ(boxes[1].flags, os::MB_OK | os::MB_ICONEXCLAMATION);
  EXPECT_NE(boxes[1].owner, 0) << "owned by the composer window";
  EXPECT_EQ(boxes[2].text, "BUTTON:OK was pressed");
  EXPECT_EQ(boxes[2].caption, "");
  EXPECT_EQ(boxes[2].flags, os::MB_OK) << "the report is a plain box: OK, no icon, not system-modal";
  EXPECT_EQ(User().Remaining(), std::vector<std::string>{});
}

struct ShowCase {
  const char* label;
  int32_t buttonRadio;  // the button-set radio chosen
  int32_t iconRadio;
  int32_t defaultButton;
  bool systemModal;
  uint32_t flags;  // the native box's flag word
  int32_t answer;  // the button the user presses
  const char* report;
};

TEST_F(ProgramRun, ShowMessageInTheNativeStyleTable) {
  const ShowCase cases[] = {
      {"yes/no/cancel, default 3", quibra::ControlButtonYesNoCancel, quibra::ControlIconQuestion, 3, false,
       os::MB_YESNOCANCEL | os::MB_ICONQUESTION | os::MB_DEFBUTTON3, rt::ButtonCancel, "BUTTON:CANCEL was pressed"},
      {"yes/no, default 2 is NO", quibra::ControlButtonYesNo, quibra::ControlIconNone, 2, false,
       os::MB_YESNO | os::MB_DEFBUTTON2, rt::ButtonNo, "BUTTON:NO was pressed"},
      {"abort/retry/ignore, system modal", quibra::ControlButtonAbortRetryIgnore, quibra::ControlIconHand, 0, true,
       os::MB_ABORTRETRYIGNORE | os::MB_ICONHAND | os::MB_SYSTEMMODAL, rt::ButtonIgnore, "BUTTON:IGNORE was pressed"},
      {"retry/cancel", quibra::ControlButtonRetryCancel, quibra::ControlIconAsterisk, 1, false,
       os::MB_RETRYCANCEL | os::MB_ICONASTERISK, rt::ButtonRetry, "BUTTON:RETRY was pressed"},
      {"abort/retry/ignore, abort, no icon", quibra::ControlButtonAbortRetryIgnore, quibra::ControlIconNone, 0, false,
       os::MB_ABORTRETRYIGNORE, rt::ButtonAbort, "BUTTON:ABORT was pressed"},
      {"ok/cancel, default 6 names no button", quibra::ControlButtonOkCancel, quibra::ControlIconExclamation, 6, false,
       os::MB_OKCANCEL | os::MB_ICONEXCLAMATION, rt::ButtonOk, "BUTTON:OK was pressed"},
  };
  for (const ShowCase& c : cases) {
    SCOPED_TRACE(c.label);
    headless::Reset();
    User()
        .AnswerBox(rt::ButtonOk)
        .Choose(c.buttonRadio)
        .Choose(c.iconRadio)
        .SetSpin(quibra::ControlDefaultButton, c.defaultButton);
    if (c.systemModal) User().Toggle(quibra::ControlSystemModal);
    User().Press(quibra::ControlShowMessage).AnswerBox(c.answer).AnswerBox(rt::ButtonOk).Press(quibra::ControlClose);
    ASSERT_EQ(quibra::RunProgram(), 0);
    const auto boxes = headless::Boxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[1].drawer, "native");
    EXPECT_EQ(boxes[1].flags, c.flags);
    EXPECT_EQ(boxes[2].text, c.report);
  }
}

TEST_F(ProgramRun, ABoxThatFailedIsNotReported) {
  // MessageBoxA gives 0 when it cannot show the box: no button was pressed.
  User().AnswerBox(rt::ButtonOk).Press(quibra::ControlShowMessage).AnswerNative(0).Press(quibra::ControlClose);
  ASSERT_EQ(quibra::RunProgram(), 0);
  const auto boxes = headless::Boxes();
  ASSERT_EQ(boxes.size(), 2u) << "the intro and the failed box, and no report";
  EXPECT_EQ(boxes[1].drawer, "native");
}

TEST_F(ProgramRun, RuntimeStyleShowsTheRuntimesOwnBoxAndTheSameReport) {
  User()
      .AnswerBox(rt::ButtonOk)
      .Choose(quibra::ControlRuntime)
      .Run([] { EXPECT_FALSE(HookInstalled()); })
      .Choose(quibra::ControlButtonYesNo)
      .Press(quibra::ControlShowMessage)
      .AnswerBox(rt::ButtonYes)
      .AnswerBox(rt::ButtonOk)
      .Press(quibra::ControlClose);
  ASSERT_EQ(quibra::RunProgram(), 0);
  const auto boxes = headless::Boxes();
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[1].drawer, "runtime");
  EXPECT_EQ(boxes[1].caption, "Quibra Demo");
  EXPECT_EQ(boxes[1].buttons, rt::ButtonYes | rt::ButtonNo);
  EXPECT_EQ(boxes[1].icon, rt::IconExclamation);
  EXPECT_EQ(boxes[2].drawer, "runtime");
  EXPECT_EQ(boxes[2].text, "BUTTON:YES was pressed");
}

TEST_F(ProgramRun, SwitchingTheStyleBackAndForthLeavesTheHookAsTheLastChoice) {
  User()
      .AnswerBox(rt::ButtonOk)
      .Choose(quibra::ControlRuntime)
      .Choose(quibra::ControlThreadSafe)
      .Choose(quibra::ControlRuntime)
      .Run([] { EXPECT_FALSE(HookInstalled()); })
      .Choose(quibra::ControlThreadSafe)
      .Run([] { EXPECT_TRUE(HookInstalled()); })
      .Choose(quibra::ControlRuntime)
      .Press(quibra::ControlClose);
  ASSERT_EQ(quibra::RunProgram(), 0);
  EXPECT_FALSE(HookInstalled()) << "nothing removes or restores the hook when the window ends";
}

TEST_F(ProgramRun, AnEditIsUsedWhileTheFocusIsStillInItsField) {
  User()
      .AnswerBox(rt::ButtonOk)
      .Type(quibra::ControlMessageText, "Hello|World")
      .Type(quibra::ControlMessageTitle, "Title typed")
      .PressKeepingFocus(quibra::ControlShowMessage)
      .AnswerBox(rt::ButtonOk)
      .AnswerBox(rt::ButtonOk)
      .Press(quibra::ControlClose);
  ASSERT_EQ(quibra::RunProgram(), 0);
  const auto boxes = headless::Boxes();
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[1].lines, (std::vector<std::string>{"Hello", "World"}));
  EXPECT_EQ(boxes[1].caption, "Title typed");
}

// The window's commands copy the box as composed at that moment, an edit
// still in its field included; a form that cannot show the box says why and
// leaves the clipboard alone.
TEST_F(ProgramRun, CopyAsCodeTakesTheComposedBox) {
  std::vector<std::string> copied;
  auto copy = [&copied] { copied.push_back(headless::Clipboard()); };
  User()
      .AnswerBox(rt::ButtonOk)
      .Choose(quibra::ControlButtonYesNo)
      .Choose(quibra::ControlIconQuestion)
      .SetSpin(quibra::ControlDefaultButton, 2)
      .Type(quibra::ControlMessageTitle, "Backup")
      .Type(quibra::ControlMessageText, "Back up now?")
      .PressShortcut("Ctrl+Shift+C")
      .Run(copy)
      .ChooseCommand(quibra::ComposerCopyCCall)
      .Run(copy)
      .ChooseCommand(quibra::ComposerCopyKdialog)
      .AnswerBox(rt::ButtonOk)
      .Run(copy)
      .Press(quibra::ControlClose);
  ASSERT_EQ(quibra::RunProgram(), 0);
  const std::string commandLine =
      os::kWindows ? "QuibraD.exe --title Backup --buttons yesno --icon question --default no \"Back up now?\""
                   : "quibrad --title Backup --buttons yesno --icon question --default no 'Back up now?'";
  const std::string cCall =
      "MessageBoxA(NULL, \"Back up now?\", \"Backup\", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);";
  EXPECT_EQ(copied, (std::vector<std::string>{commandLine, cCall, cCall}));
  const auto boxes = headless::Boxes();
  ASSERT_EQ(boxes.size(), 2u) << "the intro, and why kdialog cannot show the box";
  EXPECT_NE(boxes[1].text.find("kdialog"), std::string::npos) << boxes[1].text;
}

// Every window definition registered while the composer runs keeps its
// controls inside the window and apart (the runtime's boxes, which are
// registered nowhere, are checked in composer/BoxDrawersTest).
TEST_F(ProgramRun, EveryWindowKeepsItsControlsInsideAndApart) {
  std::vector<std::string> checked;
  const auto check = [&](const rt::WindowDef& def) {
    checked.push_back(def.name);
    quibra_test::ExpectInsideAndApart(def);
  };
  User()
      .AnswerBox(rt::ButtonOk)
      .Run([&] {
        for (const rt::WindowDef* def : rt::RegisteredWindows()) check(*def);
      })
      .Press(quibra::ControlClose);
  ASSERT_EQ(quibra::RunProgram(), 0);
  EXPECT_EQ(checked, (std::vector<std::string>{"$WINDOW", "P1$WINDOW", "$MULTIWINDOW", "$TXTWINDOW"}));
}

TEST_F(ProgramRun, ClosingTheWindowByItsCloseBoxEndsCancelled) {
  User().AnswerBox(rt::ButtonOk).CloseWindow();
  ASSERT_EQ(quibra::RunProgram(), 0);
  EXPECT_EQ(quibra::LastResponse, 2);
}

// The user's full-window dragging is off while the composer runs and put
// back however the run ends; only the value 1 means on: off, and anything a
// damaged profile reports, is read once and never written.
TEST_F(ProgramRun, FullWindowDragIsOffWhileTheWindowRunsAndPutBackHoweverTheRunEnds) {
  enum class End { Normal, HaltAfterTheRun, FatalError };
  // Each call as its action, parameter and profile flags.
  const std::string get = std::to_string(os::SPI_GETDRAGFULLWINDOWS) + " 0 0";
  const std::string set = ", " + std::to_string(os::SPI_SETDRAGFULLWINDOWS);
  const std::string saved = " " + std::to_string(os::SPIF_UPDATEINIFILE | os::SPIF_SENDWININICHANGE);
  const std::string offAndOn = get + set + " 0" + saved + set + " 1" + saved;
  const struct {
    const char* label;
    int32_t value;
    End end;
    bool onWhileRunning;
    std::string calls;
    bool onAfter;
  } rows[] = {
      {"on: off while the window runs, on again after", 1, End::Normal, false, offAndOn, true},
      {"off: read once, never written", 0, End::Normal, false, get, false},
      {"2 from a damaged profile: left alone", 2, End::Normal, true, get, true},
      {"-1 alike", -1, End::Normal, true, get, true},
      {"a halt after the run leaves the user's later choice", 1, End::HaltAfterTheRun, false, offAndOn, false},
      {"a fatal error puts it back before the program ends", 1, End::FatalError, false, offAndOn, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    headless::Reset();
    headless::SetFullWindowDragValue(row.value);
    bool onWhileRunning = !row.onWhileRunning;
    User().AnswerBox(rt::ButtonOk).Run([&] { onWhileRunning = headless::FullWindowDrag(); });
    if (row.end == End::FatalError) {
      User().Run([] { quibra::GlobalErrorManager.Raise(39); }).AnswerBox(rt::ButtonOk);
      EXPECT_THROW(quibra::RunProgram(), quibra_test::Halted);
      const auto boxes = headless::Boxes();
      ASSERT_EQ(boxes.size(), 2u);
      EXPECT_EQ(boxes[1].caption, "File Usage Error");
      // The halted run left its globals started; stop them as the process end would.
      quibra::GlobalIniStore.Finalize();
      quibra::GlobalErrorManager.Shutdown();
      rt::CloseDown();
    } else {
      User().Press(quibra::ControlClose);
      ASSERT_EQ(quibra::RunProgram(), 0);
    }
    if (row.end == End::HaltAfterTheRun) {
      // The user switches dragging off once the program has put it back on: a
      // halt now is no longer the program's to clean up after.
      headless::SetFullWindowDrag(false);
      EXPECT_THROW(rt::Halt(1, "later"), quibra_test::Halted);
    }
    EXPECT_EQ(onWhileRunning, row.onWhileRunning);
    std::string calls;
    for (const headless::PlatformCall& c : DragCalls())
      calls += (calls.empty() ? "" : ", ") + std::to_string(c.action) + " " + std::to_string(c.param) + " " +
               std::to_string(c.winIni);
    EXPECT_EQ(calls, row.calls);
    EXPECT_EQ(headless::FullWindowDrag(), row.onAfter);
  }
}

// Another program writing the settings file keeps its writer's turn, and the
// store's final write waits for it (up to 10 s): the user's dragging is back
// on before that wait, not after it.
TEST_F(ProgramRun, FullWindowDragIsBackOnBeforeTheSettingsStoresFinalWriteWaits) {
  headless::SetFullWindowDrag(true);
  std::promise<void> taken, composerUp;
  bool dragOnWhileTheWriteWaited = false;
  const std::string settings = SettingsFile();
  if (const auto folder = std::filesystem::path(settings).parent_path(); !folder.empty())
    std::filesystem::create_directories(folder);
  std::thread otherWriter([&] {
    os::WriterTurn turn;
    EXPECT_TRUE(turn.Take(settings).ok());
    taken.set_value();
    if (composerUp.get_future().wait_for(std::chrono::seconds(30)) != std::future_status::ready) return;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (!headless::FullWindowDrag() && std::chrono::steady_clock::now() < until)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    dragOnWhileTheWriteWaited = headless::FullWindowDrag();
  });
  taken.get_future().wait();
  User()
      .AnswerBox(rt::ButtonOk)
      .Run([&] {
        EXPECT_FALSE(headless::FullWindowDrag());
        composerUp.set_value();
      })
      .Press(quibra::ControlClose);
  EXPECT_EQ(quibra::RunProgram(), 0);
  otherWriter.join();
  EXPECT_TRUE(dragOnWhileTheWriteWaited) << "dragging was still off while the final write waited for its turn";
  EXPECT_TRUE(headless::FullWindowDrag());
  EXPECT_EQ(ReadBytes(settings), "[__Dont_Touch_Me__]\r\nSectors=0\r\n") << "written once its turn came";
}

// The services the program starts and stops, named in one line, so that the
// state at each point of a run is compared with one expectation.
std::string Running() {
  std::string names;
  auto add = [&](const char* name, bool on) {
    if (on) names += std::string(names.empty() ? "" : " ") + name;
  };
  add("errors", quibra::GlobalErrorManager.ERRORS != nullptr && quibra::GlobalErrorManager.HISTORY != nullptr);
  add("error-window", rt::IsPrepared(quibra::SharedErrorWindow));
  add("settings", quibra::GlobalIniStore.SECTORS != nullptr);
  add("shared-windows", quibra::SharedWindowsPrepared());
  return names;
}

// Every row of the matcher's weight table shares out 100 over its positions,
// the first weighing most; an unbuilt table is all zero.
bool WeightsBuilt(const quibra::WordMatcher& m) {
  for (int n = 1; n <= quibra::WordMatcher::MaxWords; ++n) {
    int sum = 0;
    for (int p = 0; p < n; ++p) sum += m.BASEVALUE[n - 1][p];
    if (sum != 100 || m.BASEVALUE[n - 1][0] < m.BASEVALUE[n - 1][n - 1]) return false;
  }
  return true;
}

TEST_F(ProgramRun, EveryServiceIsUpWhileTheComposerRunsAndDownAfterIt) {
  // What an earlier run left in the global matcher must not pass for this run's set-up.
  quibra::WordMatcher& matcher = quibra::GlobalWordMatcher;
  std::memset(matcher.BASEVALUE, 0, sizeof matcher.BASEVALUE);
  matcher.NOCASE = 0;
  matcher.WORDONLY = 1;
  quibra::ActiveWordMatcher = nullptr;
  quibra::NavigationRequest = 9;  // a request left from an earlier run

  std::vector<std::string> trace{"before: " + Running()};
  User()
      .AnswerBox(rt::ButtonOk)
      .Run([&] {
        trace.push_back("composer: " + Running());
        EXPECT_EQ(quibra::ActiveWordMatcher, &matcher);
        EXPECT_TRUE(WeightsBuilt(matcher));
        EXPECT_EQ(matcher.NOCASE, 1) << "the program matches words without regard to case";
        EXPECT_EQ(matcher.WORDONLY, 0) << "... and inside words";
        EXPECT_EQ(quibra::NavigationRequest, 0) << "the program starts with no navigation request";
      })
      .Press(quibra::ControlClose);
  ASSERT_EQ(quibra::RunProgram(), 0);
  trace.push_back("after: " + Running());
  EXPECT_EQ(trace,
            (std::vector<std::string>{"before: ", "composer: errors error-window settings shared-windows", "after: "}));
  EXPECT_EQ(rt::PreparedWindowCount(), 0) << "every window the program prepared is released";
}

TEST_F(ProgramRun, ARefusedVersionCheckRunsNothing) {
  rt::SetRuntimeVersion(5, 0);
  const int32_t code = quibra::RunProgram();
  rt::SetRuntimeVersion(5, 507);
  EXPECT_EQ(code, 0);
  EXPECT_TRUE(headless::Boxes().empty());
  EXPECT_TRUE(DragCalls().empty());
  EXPECT_FALSE(std::filesystem::exists("QuibraD.INI"));
  EXPECT_FALSE(std::filesystem::exists(SettingsFile()));
  rt::CloseDown();
}

TEST_F(ProgramRun, AFirstRunCreatesTheIniFileWithAnEmptySavedList) {
  EXPECT_EQ(RunAndClose(), "[__Dont_Touch_Me__]\r\nSectors=0\r\n");
}

TEST_F(ProgramRun, ASavedListIsCarriedUnchangedFromOneRunToTheNext) {
  const std::string saved =
      "; my settings\r\n[Other]\r\nKeep=me\r\n[__Dont_Touch_Me__]\r\nSectors=2\r\nSectors_1=North,Oslo,City\r\n"
      "Sectors_2=South,Rome,Town\r\n";
  WriteSettings(saved);
  for (int run = 0; run < 2; ++run) EXPECT_EQ(RunAndClose(), saved) << "run " << run;
}

TEST_F(ProgramRun, ASettingsFolderThatCannotBeMadeIsToldOnceAndTheSettingsStayInTheCurrentFolder) {
  if (os::kWindows) GTEST_SKIP() << "Windows keeps the settings in the current folder";
  WriteBytes(dir.File("plain"), "a file, not a folder");
  ScopedVariable unusable("XDG_CONFIG_HOME", dir.File("plain").c_str());
  const std::string saved = "[__Dont_Touch_Me__]\r\nSectors=1\r\nSectors_1=North,Oslo,City\r\n";
  WriteBytes("QuibraD.INI", saved);
  std::ostringstream err;
  std::streambuf* const usual = std::cerr.rdbuf(err.rdbuf());
  User().AnswerBox(rt::ButtonOk).Press(quibra::ControlClose);
  const int32_t code = quibra::RunProgram();
  std::cerr.rdbuf(usual);
  EXPECT_EQ(code, 0);
  EXPECT_EQ(err.str(), "quibrad: the settings folder cannot be used: " + dir.File("plain") +
                           "/quibra: Not a directory; the settings stay in QuibraD.INI in the current folder\n");
  EXPECT_EQ(ReadBytes("QuibraD.INI"), saved) << "read from there and written back there";
}

struct BadIniCase {
  const char* label;
  std::string before;                                   // the file as the user left it
  std::function<void(const std::string& after)> check;  // the file after one run
};

std::string Repeat(char c, std::size_t n) { return std::string(n, c); }

TEST_F(ProgramRun, BadIniContentNeverStopsTheProgramAndKeepsEveryOtherLine) {
  const std::string junk = std::string("\x00\x01\xff\xfe[\x80=\x7f\r\n\x1b[0m", 12) + "\r\nplain=line\r\n";
  const std::string unknown = "---Unknown---,---Unknown---,---Unknown---";
  const BadIniCase cases[] = {
      {"binary junk", junk,
       [&](const std::string& after) { EXPECT_EQ(after, junk + "\r\n[__Dont_Touch_Me__]\r\nSectors=0\r\n"); }},
      // Every entry the wrapped count names is read (none is there) and
      // written back.
      {"a count of 4000000000 is read as 10240", "[keep]\r\nme=1\r\n[__Dont_Touch_Me__]\r\nSectors=4000000000\r\n",
       [&](const std::string& after) {
         EXPECT_EQ(
             after.rfind("[keep]\r\nme=1\r\n[__Dont_Touch_Me__]\r\nSectors=10240\r\nSectors_1=" + unknown + "\r\n", 0),
             0u);
         EXPECT_NE(after.find("\r\nSectors_10240=" + unknown + "\r\n"), std::string::npos);
         EXPECT_EQ(after.find("Sectors_10241"), std::string::npos);
       }},
      // Of the value's first 999 characters, the third field is past the last
      // comma and so starts again at the first; each field keeps 99
      // characters; the other section stays.
      {"a 5000-character value is cut to 999, then to its fields",
       "[__Dont_Touch_Me__]\r\nSectors=1\r\nSectors_1=" + Repeat('a', 50) + "," + Repeat('b', 2000) + "," +
           Repeat('c', 2948) + "\r\n[after]\r\nkept=yes\r\n",
       [](const std::string& after) {
         EXPECT_EQ(after, "[__Dont_Touch_Me__]\r\nSectors=1\r\nSectors_1=" + Repeat('a', 50) + "," + Repeat('b', 99) +
                              "," + Repeat('a', 50) + "\r\n[after]\r\nkept=yes\r\n");
       }},
  };
  for (const BadIniCase& c : cases) {
    SCOPED_TRACE(c.label);
    headless::Reset();
    WriteSettings(c.before);
    c.check(RunAndClose());
  }
}

}  // namespace
