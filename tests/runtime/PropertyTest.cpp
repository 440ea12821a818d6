// Properties of the system target, the current window and its controls, and
// the rows a list control takes from its callback.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "runtime/Address.h"
#include "runtime/ControlDef.h"
#include "runtime/EventLoop.h"
#include "runtime/Property.h"
#include "runtime/TinyWindow.h"
#include "support/HeadlessTest.h"
#include "support/TestControl.h"

namespace {

class Properties : public quibra_test::HeadlessTest {};

TEST_F(Properties, ValuesConvertBetweenNumbersAndTexts) {
  EXPECT_EQ(rt::Value("  42 apples").Number(), 42);
  EXPECT_EQ(rt::Value(int64_t{-7}).Text(), "-7");
  EXPECT_EQ(rt::Value().Number(), 0);
  EXPECT_EQ(rt::Value().Text(), "");
}

TEST_F(Properties, ControlPropertiesFollowTheDefinitionAndTheProgram) {
  struct Case {
    const char* label;
    int32_t control;
    int32_t property;
    std::string expected;
  };
  tiny::Data data;
  rt::Window* w = tiny::Open(data);
  const Case read[] = {
      {"window title from the caption", 0, rt::PropText, "Tiny"},
      {"button text", tiny::Ok, rt::PropText, "OK"},
      {"image text holds the icon bytes", tiny::Picture, rt::PropText, std::string("\xFF\x01\x04\x7F", 4)},
      {"entry type", tiny::Name, rt::PropControlType, std::to_string(int(rt::ControlKind::Entry))},
      {"list type", tiny::History, rt::PropControlType, std::to_string(int(rt::ControlKind::List))},
      {"visible control", tiny::Ok, rt::PropHide, "0"},
      {"list columns from its format", tiny::History, rt::PropListColumnCount, "2"},
      {"no columns without a format", tiny::Name, rt::PropListColumnCount, "0"},
      {"property never set", tiny::Ok, rt::PropDefaultButton, ""},
      {"unknown control", 99, rt::PropText, ""},
  };
  for (const Case& c : read) EXPECT_EQ(rt::GetProperty(c.control, c.property).Text(), c.expected) << c.label;

  rt::SetProperty(0, rt::PropText, rt::Value("Renamed"));
  rt::SetProperty(tiny::Cancel, rt::PropHide, rt::Value(1));
  rt::SetProperty(tiny::Ok, rt::PropDefaultButton, rt::Value(1));
  rt::SetProperty(tiny::History, rt::PropListSelection, rt::Value(3));
  rt::SetProperty(tiny::Name, rt::PropControlType, rt::Value(rt::ControlTypeSheet));  // ignored
  rt::SetProperty(tiny::History, rt::PropListColumnCount, rt::Value(9));              // ignored
  rt::SetProperty(99, rt::PropText, rt::Value("nowhere"));                            // ignored
  const Case written[] = {
      {"window title", 0, rt::PropText, "Renamed"},
      {"hidden control", tiny::Cancel, rt::PropHide, "1"},
      {"default button", tiny::Ok, rt::PropDefaultButton, "1"},
      {"list selection", tiny::History, rt::PropListSelection, "3"},
      {"type stays the definition's", tiny::Name, rt::PropControlType, std::to_string(int(rt::ControlKind::Entry))},
      {"column count stays the format's", tiny::History, rt::PropListColumnCount, "2"},
  };
  for (const Case& c : written) EXPECT_EQ(rt::GetProperty(c.control, c.property).Text(), c.expected) << c.label;
  EXPECT_TRUE(w->IsHidden(tiny::Cancel));
  EXPECT_EQ(w->Title(), "Renamed");
}

TEST_F(Properties, SheetControlsReportTheirTypeCode) {
  rt::Window* w = rt::PrepareWindow(
      rt::WindowDef{.name = "SHEETS", .controls = {quibra_test::TestControl(1, rt::ControlKind::Sheet)}});
  EXPECT_EQ(rt::GetProperty(w, 1, rt::PropControlType).Number(), 37);
}

TEST_F(Properties, IndexedPropertiesKeepEachIndexApart) {
  tiny::Data data;
  tiny::Open(data);
  rt::SetProperty(tiny::Name, rt::PropAlertedKeys, rt::Value(113), 255);
  rt::SetProperty(tiny::Name, rt::PropAlertedKeys, rt::Value(27), 1);
  EXPECT_EQ(rt::GetProperty(tiny::Name, rt::PropAlertedKeys, 255).Number(), 113);
  EXPECT_EQ(rt::GetProperty(tiny::Name, rt::PropAlertedKeys, 1).Number(), 27);
  EXPECT_EQ(rt::GetProperty(tiny::Name, rt::PropAlertedKeys, 2).Text(), "");
  EXPECT_EQ(rt::GetProperty(tiny::Count, rt::PropAlertedKeys, 255).Text(), "");
}

TEST_F(Properties, TheNativeHandleExistsOnlyWhileTheWindowIsOpen) {
  tiny::Data first, second;
  rt::Window* a = tiny::Open(first);
  int64_t handleA = rt::GetProperty(0, rt::PropHandle).Number();
  EXPECT_NE(handleA, 0);
  rt::Window* b = tiny::Open(second);
  EXPECT_EQ(rt::CurrentWindow(), b);
  EXPECT_NE(rt::GetProperty(0, rt::PropHandle).Number(), handleA) << "target 0 is the window opened last";
  rt::CloseWindow(b);
  EXPECT_EQ(rt::CurrentWindow(), a);
  EXPECT_EQ(rt::GetProperty(0, rt::PropHandle).Number(), handleA);
  EXPECT_EQ(rt::GetProperty(b, 0, rt::PropHandle).Number(), 0);
  rt::CloseWindow(a);
  EXPECT_EQ(rt::GetProperty(0, rt::PropHandle).Number(), 0) << "no current window";
}

TEST_F(Properties, SystemPropertiesAreSharedByEveryThread) {
  rt::SetProperty(rt::SystemTarget, rt::PropMessageHook, rt::Value(int64_t{12345}));
  int64_t seen = 0;
  int64_t windowHandle = -1;
  tiny::Data data;
  tiny::Open(data);
  std::thread other([&] {
    seen = rt::GetProperty(rt::SystemTarget, rt::PropMessageHook).Number();
    windowHandle = rt::GetProperty(0, rt::PropHandle).Number();  // that thread has no window
  });
  other.join();
  EXPECT_EQ(seen, 12345);
  EXPECT_EQ(windowHandle, 0);
  rt::ClearSystemProperties();
  EXPECT_EQ(rt::GetProperty(rt::SystemTarget, rt::PropMessageHook).Text(), "");
}

struct History {
  std::vector<std::pair<std::string, std::string>> rows;
};

std::string HistoryCell(void* source, int32_t row, int32_t column) {
  auto* h = static_cast<History*>(source);
  if (row == -1) return std::to_string(h->rows.size());
  if (row == -2) return "2";
  if (row == -3) return "1";
  const auto& r = h->rows.at(static_cast<std::size_t>(row - 1));
  return column == 1 ? r.first : column == 2 ? r.second : "";
}

TEST_F(Properties, AListShowsTheRowsItsCallbackGives) {
  tiny::Data data;
  rt::Window* w = tiny::Open(data);
  History history{{{"Disk full", "App"}, {"File busy", "File"}}};
  EXPECT_TRUE(headless::ListRows(*w, tiny::History).empty()) << "no callback, no rows";
  rt::SetProperty(tiny::History, rt::PropListRowSource, rt::Value(rt::AddressNumber(&history)));
  rt::SetProperty(tiny::History, rt::PropListRowCallback, rt::Value(rt::FunctionAddressNumber(&HistoryCell)));
  EXPECT_EQ(headless::ListRows(*w, tiny::History),
            (std::vector<std::vector<std::string>>{{"Disk full", "App"}, {"File busy", "File"}}));
  EXPECT_EQ(w->ListCell(tiny::History, -3, 0), "1");
}

}  // namespace
