// Window definitions, bindings, pictures and the copying between variables
// and controls.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/Binding.h"
#include "runtime/ErrorState.h"
#include "runtime/MessageBox.h"
#include "runtime/Picture.h"
#include "runtime/TinyWindow.h"
#include "runtime/Window.h"
#include "support/HeadlessTest.h"
#include "support/TestControl.h"

namespace {

class WindowData : public quibra_test::HeadlessTest {};

rt::ControlDef Numbered(int32_t number, rt::ControlKind kind = rt::ControlKind::Entry) {
  return quibra_test::TestControl(number, kind);
}

rt::WindowDef Def(const char* name, std::vector<rt::ControlDef> controls) {
  return {.module = "m", .name = name, .controls = std::move(controls)};
}

TEST_F(WindowData, RegistrationRefusesDefinitionsThatCannotBeAddressed) {
  struct Case {
    const char* label;
    rt::WindowDef def;
    bool accepted;
  };
  rt::WindowDef good = Def("GOOD", {Numbered(1), Numbered(300), Numbered(107)});
  rt::WindowDef duplicate = Def("DUP", {Numbered(1), Numbered(2), Numbered(1)});
  rt::WindowDef zero = Def("ZERO", {Numbered(0)});
  rt::WindowDef unnamed = Def("", {});
  const Case cases[] = {{"explicit numbers in any order", good, true},
                        {"a number used twice", duplicate, false},
                        {"a control numbered 0", zero, false},
                        {"no window name", unnamed, false}};
  for (const Case& c : cases) {
    EXPECT_EQ(rt::RegisterWindow(c.def), c.accepted) << c.label;
    EXPECT_EQ(rt::ErrorCode(), c.accepted ? 0 : rt::ErrInvalidDeclaration) << c.label;
  }
  EXPECT_NE(rt::RegisteredWindow("M", "good"), nullptr) << "names compare without case";
  EXPECT_EQ(rt::RegisteredWindow("m", "DUP"), nullptr);
}

TEST_F(WindowData, PreparingAnUnknownWindowOrTooManyVariablesFails) {
  EXPECT_EQ(rt::PrepareWindow("nowhere", "NOTHING"), nullptr);
  EXPECT_EQ(rt::ErrorCode(), rt::ErrEntryNotFound);
  EXPECT_NE(rt::ErrorText().find("NOTHING"), std::string::npos) << rt::ErrorText();

  int32_t a = 0, b = 0;
  rt::WindowDef one = Def("ONE", {Numbered(1), Numbered(2, rt::ControlKind::Button)});
  EXPECT_EQ(rt::PrepareWindow(one, {rt::Bind(a), rt::Bind(b)}), nullptr);
  EXPECT_EQ(rt::ErrorCode(), rt::ErrInvalidArgument);
  EXPECT_NE(rt::PrepareWindow(one, {rt::Bind(a)}), nullptr);
}

TEST_F(WindowData, ReleasingAWindowTwiceOrAFreedPointerIsHarmless) {
  tiny::Data data;
  rt::Window* w = tiny::Open(data);
  rt::ReleaseWindow(w);
  EXPECT_EQ(rt::CurrentWindow(), nullptr);
  rt::ReleaseWindow(w);
  rt::CloseWindow(nullptr);
  rt::OpenWindow(w);  // no longer prepared: ignored
  EXPECT_EQ(rt::CurrentWindow(), nullptr);
}

TEST_F(WindowData, OpeningGivesTheFocusAskedForWhereThatControlCanTakeIt) {
  const struct {
    const char* label;
    int32_t asked;
    int32_t focus;
  } cases[] = {
      {"a button further on", tiny::Cancel, tiny::Cancel},
      {"nothing asked: the first that can", 0, tiny::Name},
      {"a prompt cannot: the first that can", tiny::NamePrompt, tiny::Name},
      {"no such control: the first that can", 99, tiny::Name},
  };
  for (const auto& c : cases) {
    tiny::Data data;
    rt::Window* w = tiny::Open(data, c.asked);
    EXPECT_EQ(w->Focus(), c.focus) << c.label;
    rt::ReleaseWindow(w);
  }
}

TEST_F(WindowData, OpeningShowsTheVariablesAndQueuesTheOpenedEvent) {
  tiny::Data data;
  data.size = 2;
  data.icon = rt::IconHand;
  data.agree = 5;
  rt::Window* w = tiny::Open(data);
  EXPECT_EQ(w->Contents(tiny::Name), "Ann");
  EXPECT_TRUE(w->IsChecked(tiny::Large));
  EXPECT_TRUE(w->IsChecked(tiny::IconHand));
  EXPECT_FALSE(w->IsChecked(tiny::IconNone));
  EXPECT_EQ(w->Contents(tiny::Agree), "1") << "any non-zero value checks the box";
  EXPECT_EQ(w->Contents(tiny::Count), "3");
  EXPECT_EQ(w->Focus(), tiny::Name) << "the first control that takes the focus";
  EXPECT_EQ(w->QueuedEvents(), 1u);
  rt::OpenWindow(w);
  EXPECT_EQ(w->QueuedEvents(), 1u) << "opening an open window does nothing";
}

TEST_F(WindowData, WhatAScreenReaderReadsFollowsTheTextUnlessSetAndGoesWithTheOpening) {
  tiny::Data data;
  rt::Window* w = tiny::Open(data);
  const std::string caption = w->Text(tiny::Ok);
  w->SetProperty(tiny::Ok, rt::PropText, 0, rt::Value("Go"));
  EXPECT_EQ(w->SpokenCaption(tiny::Ok), "Go") << "read as drawn until told otherwise";
  w->SetSpokenCaption(tiny::Ok, "Go on");
  w->SetDescription(tiny::Ok, "Pressed in 5 seconds");
  w->SetProperty(tiny::Ok, rt::PropText, 0, rt::Value("Go (5)"));
  EXPECT_EQ(w->SpokenCaption(tiny::Ok), "Go on");
  EXPECT_EQ(w->Description(tiny::Ok), "Pressed in 5 seconds");
  rt::CloseWindow(w);
  rt::OpenWindow(w);
  EXPECT_EQ(w->SpokenCaption(tiny::Ok), caption) << "each opening starts from the definition";
  EXPECT_EQ(w->Description(tiny::Ok), "");
}

TEST_F(WindowData, ASelectedPromptHandsTheFocusToTheNextControlThatTakesIt) {
  struct Case {
    const char* label;
    int32_t selected;
    std::vector<int32_t> hidden;
    int32_t focus;
  };
  const Case cases[] = {
      {"the entry after the prompt", tiny::NamePrompt, {}, tiny::Name},
      {"a hidden entry is passed over", tiny::NamePrompt, {tiny::Name}, tiny::Size},
      {"any other control keeps it", tiny::Picture, {}, tiny::Picture},
      {"a control that takes it", tiny::Ok, {}, tiny::Ok},
  };
  for (const Case& c : cases) {
    tiny::Data data;
    rt::Window* w = tiny::Open(data);
    for (int32_t h : c.hidden) w->SetProperty(h, rt::PropHide, 0, rt::Value(1));
    w->Select(c.selected);
    EXPECT_EQ(w->Focus(), c.focus) << c.label;
    rt::ReleaseWindow(w);
  }
}

TEST_F(WindowData, UpdateAndDisplayCopyOneControlOrAll) {
  tiny::Data data;
  rt::Window* w = tiny::Open(data);
  w->EnterText(tiny::Name, "Eve");
  w->ChooseRadio(tiny::Large);
  w->EnterText(tiny::Count, "q");  // breaks "n1"
  rt::Update(tiny::Name);
  EXPECT_EQ(data.name.clipped(), "Eve");
  EXPECT_EQ(data.size, 1) << "only the named control";
  rt::Update(tiny::Large);  // a radio updates its group
  EXPECT_EQ(data.size, 2);
  rt::Update();
  EXPECT_EQ(data.count, 3) << "contents that break the picture are not stored";
  data.name = "Max";
  data.count = 9;
  rt::Display();
  EXPECT_EQ(w->Contents(tiny::Name), "Max");
  EXPECT_EQ(w->Contents(tiny::Count), "9");
}

TEST_F(WindowData, BindingsConvertBetweenVariablesAndContents) {
  struct Case {
    const char* label;
    rt::BindType type;
    std::string written;
    std::string read;
  };
  const Case cases[] = {
      {"fixed text padded, read clipped", rt::BindType::FixedText, "ab", "ab"},
      {"fixed text cut to its length", rt::BindType::FixedText, "abcdefgh", "abcd"},
      {"fixed text keeps inner bytes", rt::BindType::FixedText, std::string("\xFF\x01", 2), std::string("\xFF\x01", 2)},
      {"zero-terminated text keeps capacity - 1", rt::BindType::CText, "abcdefgh", "abc"},
      {"int8 held at its top", rt::BindType::Int8, "300", "127"},
      {"int8 held at its bottom", rt::BindType::Int8, "-300", "-128"},
      {"uint8 does not wrap below 0", rt::BindType::UInt8, "-1", "0"},
      {"uint8 held at 255", rt::BindType::UInt8, "256", "255"},
      {"int16", rt::BindType::Int16, "-1234", "-1234"},
      {"uint16 held at 65535", rt::BindType::UInt16, "70000", "65535"},
      {"int32 from leading digits", rt::BindType::Int32, "  42abc", "42"},
      {"int32 of a text without digits", rt::BindType::Int32, "abc", "0"},
  };
  for (const Case& c : cases) {
    alignas(8) char storage[8] = {};
    std::size_t size = c.type == rt::BindType::FixedText || c.type == rt::BindType::CText ? 4 : 0;
    rt::Binding b{c.type, storage, size};
    b.Write(c.written);
    EXPECT_EQ(b.Read(), c.read) << c.label;
  }
  rt::FixedString<4> icon;
  rt::Bind(icon).Write(rt::IconNone);
  EXPECT_EQ(icon.raw(), std::string("\xFF\x01  ", 4));
}

TEST_F(WindowData, PicturesAcceptWhatTheyDescribe) {
  struct Case {
    const char* picture;
    const char* contents;
    bool accepted;
  };
  const Case cases[] = {
      {"n1", "7", true},        {"n1", "", true},          {"n1", "  ", true},       {"n1", "x", false},
      {"n1", "12", false},      {"n1", "-1", false},       {"n-3", "-12", true},     {"n3", "1.5", false},
      {"n5.2", "123.45", true}, {"n5.2", "1234.5", false}, {"n5.2", "1.234", false}, {"n2", "1x", false},
      {"n2", "-", false},       {"s3", "abc", true},       {"s3", "abcd", false},    {"s3", "abc  ", true},
      {"s128", "", true},       {"", "anything", true},    {"d17", "text", true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(rt::PictureAccepts(c.picture, c.contents), c.accepted)
        << "picture " << c.picture << " with '" << c.contents << "'";
  EXPECT_EQ(rt::PictureTextLimit("s40"), 40u);
  EXPECT_EQ(rt::PictureTextLimit("n1"), 0u);
}

// Both backends' spin arrows step through these.
TEST(Pictures, ASpinStepsThroughTheNumbersItsPictureCanShow) {
  constexpr int32_t kMost = INT32_MAX;
  const struct {
    const char* label;
    const char* picture;
    rt::SpinRange range;
  } rows[] = {
      {"one digit, as the default button's field", "n1", {0, 9}},
      {"three digits", "n3", {0, 999}},
      {"a capital N", "N2", {0, 99}},
      {"negative allowed", "n-2", {-99, 99}},
      {"decimals count among the digits", "n5.2", {0, 999}},
      {"and with a sign", "n-4.1", {-999, 999}},
      {"nine digits", "n9", {0, 999999999}},
      {"ten digits are held to 32 bits", "n10", {0, kMost}},
      {"a digit count beyond 64 bits is held, not wrapped", "n18446744073709551619", {0, kMost}},
      {"no digit count: any number without a sign", "n", {0, kMost}},
      {"a digit count of 0 alike", "n0", {0, kMost}},
      {"no digit count, negative allowed", "n-", {-kMost, kMost}},
      {"ten characters of text, a minus among them", "s10", {-999999999, kMost}},
      {"three characters", "S3", {-99, 999}},
      {"one character is one digit", "s1", {0, 9}},
      {"a text of any length", "s", {-kMost, kMost}},
      {"no picture", "", {-kMost, kMost}},
      {"a picture of another kind", "d17", {-kMost, kMost}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    const rt::SpinRange range = rt::PictureSpinRange(row.picture);
    EXPECT_EQ(range.low, row.range.low);
    EXPECT_EQ(range.high, row.range.high);
  }
}

TEST_F(WindowData, UserInputGoesOnlyToControlsOfTheRightKind) {
  tiny::Data data;
  rt::Window* w = tiny::Open(data);
  EXPECT_FALSE(w->EnterText(tiny::Ok, "x"));
  EXPECT_FALSE(w->ChooseRadio(tiny::Size));
  EXPECT_FALSE(w->ToggleCheck(tiny::Name));
  EXPECT_FALSE(w->EnterText(99, "x"));
  EXPECT_TRUE(w->ToggleCheck(tiny::Agree));
  EXPECT_EQ(w->Contents(tiny::Agree), "1");
  EXPECT_TRUE(w->ToggleCheck(tiny::Agree));
  EXPECT_EQ(w->Contents(tiny::Agree), "0");
}

}  // namespace
