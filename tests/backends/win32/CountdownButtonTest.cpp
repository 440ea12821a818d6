// A box that counts down, as a screen reader finds its default button: the
// name (the window text) stays the caption across the seconds, the drawn
// text and picture carry them, the description says them once.
// clang-format off
#include "platform/Win32Api.h"
#include "Win32Fixture.h"
// clang-format on
#include <thread>

#include "backends/win32/CountdownBox.h"
#include "backends/win32/DrawnCaption.h"
#include "runtime/BoxRules.h"
#include "runtime/MessageBox.h"

namespace win32_test {
namespace {

constexpr int32_t kSeconds = 3;

struct Sample {
  std::string name, drawn, description;
  std::vector<uint32_t> picture;
};

// The button as it paints itself into a bitmap of its own.
std::vector<uint32_t> PictureOf(HWND button) {
  RECT r{};
  GetClientRect(button, &r);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, r.right, -r.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ before = SelectObject(dc, bitmap);
  SendMessageA(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  GdiFlush();
  const auto* pixels = static_cast<const uint32_t*>(bits);
  std::vector<uint32_t> picture(pixels, pixels + r.right * r.bottom);
  SelectObject(dc, before);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return picture;
}

// Runs on the person's thread: reads the default button twice, a second
// apart, then presses No.
void WatchCountdown(const char* boxClass, const std::string& title, std::vector<Sample>& samples) {
  HWND box = nullptr;
  for (int i = 0; i < 200 && !(box = FindWindowA(boxClass, title.c_str())); ++i) Sleep(25);
  if (!box) return;
  HWND yes = nullptr, no = nullptr;
  for (int i = 0; i < 80 && !yes; ++i) {
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      const LONG type = GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK;
      if (TextOf(child) == "&No") no = child;
      if (type == BS_DEFPUSHBUTTON && !win32::DrawnCaptionOf(child).empty()) yes = child;
    }
    if (!yes) Sleep(25);
  }
  for (int i = 0; i < 2 && yes; ++i) {
    if (i) Sleep(1000);
    samples.push_back({TextOf(yes), win32::DrawnCaptionOf(yes), win32::DescriptionOf(yes), PictureOf(yes)});
  }
  if (no) PostMessageA(no, BM_CLICK, 0, 0);
}

TEST_F(Win32Test, ACountdownKeepsTheButtonsNameAndDrawsTheSeconds) {
  const os::Win32Calls before = os::InstallWin32Calls({.messageBox = os::SystemCalls().messageBox});
  const struct {
    const char* label;
    const char* boxClass;
    int32_t (*show)(const std::string& title);
  } boxes[] = {
      {"the runtime's box", win32::kWindowClass,
       [](const std::string& title) {
         return rt::AskRuntimeBox(
                    {.text = "Go on?", .caption = title, .buttons = rt::ButtonYes | rt::ButtonNo, .timeout = kSeconds})
             .button;
       }},
      {"the system's box", "#32770",
       [](const std::string& title) {
         return rt::ButtonOfNativeId(win32::CountdownMessageBox(nullptr, "Go on?", title.c_str(), MB_YESNO, kSeconds));
       }},
  };
  for (const auto& b : boxes) {
    SCOPED_TRACE(b.label);
    const std::string title = std::string("Countdown: ") + b.label;
    std::vector<Sample> samples;
    std::thread person(WatchCountdown, b.boxClass, std::cref(title), std::ref(samples));
    EXPECT_EQ(b.show(title), rt::ButtonNo);
    person.join();
    ASSERT_EQ(samples.size(), 2u) << "no counting default button was found";
    for (const Sample& s : samples) {
      EXPECT_EQ(s.name, "&Yes") << "the name a screen reader reads stays the caption";
      EXPECT_EQ(s.description, rt::CountdownDescription(kSeconds, kSeconds)) << "said once, at the start";
    }
    const std::string first = samples[0].drawn, second = samples[1].drawn;
    EXPECT_TRUE(first == rt::CountdownCaption("&Yes", kSeconds) || first == rt::CountdownCaption("&Yes", kSeconds - 1))
        << first;
    EXPECT_NE(first, second) << "the drawn seconds go down";
    EXPECT_NE(samples[0].picture, samples[1].picture) << "and so does what the button shows";
  }
  os::InstallWin32Calls(before);
}

}  // namespace
}  // namespace win32_test
