// Field history: the values of the last completed form, kept in saved groups
// and recalled into the focused field by the history key or the toolbar's
// history button.
#include <cstring>

#include "WindowTestKit.h"
#include "runtime/EventLoop.h"
#include "runtime/Events.h"
#include "runtime/Property.h"
#include "support/CaseName.h"

namespace wintest {
namespace {

using headless::User;

constexpr int32_t HistoryKey = 300;

// The saved group keeps COUNT as text, so a recall must convert it.
struct SavedRecord {
  char NAME[20];
  char COUNT[6];
  char CITY[20];
};
const rt::FieldDesc savedFields[] = {
    {offsetof(SavedRecord, NAME), rt::FieldType::FixedText, 20},
    {offsetof(SavedRecord, COUNT), rt::FieldType::FixedText, 6},
    {offsetof(SavedRecord, CITY), rt::FieldType::FixedText, 20},
};

class FieldHistory : public WindowTest {
 protected:
  // A window whose NAME and COUNT have history, and whose CITY has none.
  void Prepare(TestWindow& w, int32_t historyKey) {
    rt::StoreFixed(saved.NAME, 20, "Saved name");
    rt::StoreFixed(saved.COUNT, 6, "7");
    rt::StoreFixed(saved.CITY, 20, "Saved city");
    rt::StoreFixed(w.record.NAME, 20, "Typed name");
    w.record.COUNT = 3;
    rt::StoreFixed(w.record.CITY, 20, "Typed city");
    current = GroupOf(w.record);
    w.HISTORY = new rt::Queue<quibra::FieldHistoryEntry>;
    for (int32_t field : {1, 2}) {
      w.HISTORY->buffer = {&current, &savedGroup, field, field};
      w.HISTORY->Add();
    }
    w.HISTORYKEY = historyKey;
  }
  SavedRecord saved{};
  rt::RecordGroup savedGroup{&saved, savedFields, 3, sizeof(SavedRecord)};
  rt::RecordGroup current;
};

TEST_F(FieldHistory, ArmKeysAlertsTheHistoryKeyOnHistoryControlsOnly) {
  TestWindow w;
  FakeComponent a("A");
  Prepare(w, HistoryKey);
  std::vector<std::string> alerted;
  w.configure = [&](TestWindow& t) {
    t.AddComponent(&a);
    t.ArmKeys();
    for (int32_t c : {CtlName, CtlCount, CtlCity})
      alerted.push_back(rt::GetProperty(c, rt::PropAlertedKeys, 255).Text());
  };
  User().CloseWindow();
  w.RunModal();
  EXPECT_EQ(alerted, (std::vector<std::string>{"300", "300", ""}));
  EXPECT_EQ(Count("A.ArmKeys"), 1);
}

struct RecallCase {
  const char* label;
  int32_t historyKey;
  std::function<void()> steps;
  const char* name;
  int32_t count;
  const char* city;
};

class KeyRecall : public FieldHistory, public testing::WithParamInterface<RecallCase> {};

TEST_P(KeyRecall, RecallsTheFocusedFieldAndShowsIt) {
  const RecallCase& c = GetParam();
  TestWindow w;
  Prepare(w, c.historyKey);
  w.configure = [](TestWindow& t) { t.ArmKeys(); };
  c.steps();
  std::string shownName, shownCount;
  User().Run([&] {
    shownName = w.window->Contents(CtlName);
    shownCount = w.window->Contents(CtlCount);
  });
  User().CloseWindow();
  w.RunModal();
  EXPECT_EQ(rt::Clip({w.record.NAME, 20}), c.name);
  EXPECT_EQ(w.record.COUNT, c.count);
  EXPECT_EQ(rt::Clip({w.record.CITY, 20}), c.city);
  EXPECT_EQ(shownName, c.name) << "the recalled field must be shown";
  EXPECT_EQ(shownCount, std::to_string(c.count));
}

const RecallCase recallCases[] = {
    {"text_field", HistoryKey, [] { User().PressKey(CtlName, HistoryKey); }, "Saved name", 3, "Typed city"},
    {"number_from_text", HistoryKey, [] { User().PressKey(CtlCount, HistoryKey); }, "Typed name", 7, "Typed city"},
    {"other_key", HistoryKey, [] { User().PressKey(CtlName, HistoryKey + 1); }, "Typed name", 3, "Typed city"},
    // The key reaches a control without history as an alerted key all the same.
    {"control_without_history", HistoryKey,
     [] { User().PressKey(CtlCity, HistoryKey).PostEvent(rt::EventAlertedKey, CtlCity); }, "Typed name", 3,
     "Typed city"},
    // No history key: even the key code 0 recalls nothing.
    {"no_history_key", 0, [] { User().PressKey(CtlName, 0); }, "Typed name", 3, "Typed city"},
};
INSTANTIATE_TEST_SUITE_P(Window, KeyRecall, testing::ValuesIn(recallCases), quibra_test::ByLabel());

class ToolbarRecall : public FieldHistory, public testing::WithParamInterface<bool> {};

// The toolbar's history button, pressed by its access key so that the focus
// stays in NAME, recalls NAME only when the window has a toolbar, and only
// after the router has passed the event on.
TEST_P(ToolbarRecall, HistoryButtonRecallsOnlyWithAToolbar) {
  const bool withToolbar = GetParam();
  TestWindow w;
  Prepare(w, HistoryKey);
  quibra::ToolbarRouter router;
  FakeToolbarClient client("K");
  std::string nameSeenByClient;
  client.onAccepted = [&] { nameSeenByClient = rt::Clip({w.record.NAME, 20}); };
  int32_t vcr = 0;
  w.configure = [&](TestWindow& t) {
    t.VCRREQUEST = &vcr;
    if (!withToolbar) return;
    t.AttachToolbar(&router);
    AddClient(router, 1, client);
  };
  User().PressKeepingFocus(CtlHistory).CloseWindow();
  w.RunModal();
  EXPECT_EQ(rt::Clip({w.record.NAME, 20}), withToolbar ? "Saved name" : "Typed name");
  EXPECT_EQ(nameSeenByClient, withToolbar ? "Typed name" : "");
  if (withToolbar) {
    EXPECT_EQ(client.seenVcr, &vcr);
    EXPECT_EQ(client.seenController, &w);
  }
}

INSTANTIATE_TEST_SUITE_P(Window, ToolbarRecall, testing::Bool(),
                         [](const auto& info) { return info.param ? "with_toolbar" : "without_toolbar"; });

// The user completes one form, and the next form of the kind recalls a field
// from it.
TEST_F(FieldHistory, CompletedFormIsRecalledByTheNext) {
  Record keep{};
  rt::RecordGroup keepGroup = GroupOf(keep);
  auto withHistory = [&](TestWindow& w, rt::RecordGroup& group) {
    group = GroupOf(w.record);
    w.HISTORY = new rt::Queue<quibra::FieldHistoryEntry>;
    w.HISTORY->buffer = {&group, &keepGroup, CtlName, 1};
    w.HISTORY->Add();
    w.HISTORYKEY = HistoryKey;
    w.configure = [](TestWindow& t) {
      t.OKCONTROL = CtlOk;
      t.AddButtonAction(CtlCancel, 2);
      t.ArmKeys();
    };
  };
  TestWindow first, second;
  rt::RecordGroup firstGroup, secondGroup;
  withHistory(first, firstGroup);
  withHistory(second, secondGroup);
  User().Type(CtlName, "Ada").Press(CtlOk).Press(CtlCancel);
  first.RunModal();
  EXPECT_EQ(rt::Clip({keep.NAME, 20}), "Ada");
  User().PressKey(CtlName, HistoryKey).Press(CtlCancel);
  second.RunModal();
  EXPECT_EQ(rt::Clip({second.record.NAME, 20}), "Ada");
}

struct SaveCase {
  const char* label;
  std::vector<int> groups;  // each entry's current group: 0 = A, 1 = B
  const char* saved;        // what each entry's own saved group holds afterwards
};

class SaveHistory : public testing::TestWithParam<SaveCase> {};

// Entries that follow one another with the same current group copy it once:
// the second entry's saved group is left as it was.
TEST_P(SaveHistory, CopiesEachRunOfOneGroupOnce) {
  char a[4] = {'A', 'A', 'A', 'A'}, b[4] = {'B', 'B', 'B', 'B'};
  rt::RecordGroup groups[2] = {{a, nullptr, 0, 4}, {b, nullptr, 0, 4}};
  char saved[3][6];
  std::memset(saved, '-', sizeof saved);
  rt::RecordGroup savedGroups[3] = {{saved[0], nullptr, 0, 6}, {saved[1], nullptr, 0, 6}, {saved[2], nullptr, 0, 6}};
  quibra::WindowController w;
  w.HISTORY = new rt::Queue<quibra::FieldHistoryEntry>;
  for (std::size_t i = 0; i < GetParam().groups.size(); ++i) {
    w.HISTORY->buffer = {&groups[GetParam().groups[i]], &savedGroups[i], static_cast<int32_t>(i + 1), 1};
    w.HISTORY->Add();
  }
  w.SaveFieldHistory();
  std::string out;
  for (const auto& s : saved) out += std::string(s, 6) + "|";
  EXPECT_EQ(out, GetParam().saved);
}

const SaveCase saveCases[] = {
    {"a_a_b", {0, 0, 1}, "AAAA  |------|BBBB  |"},
    {"a_b_a", {0, 1, 0}, "AAAA  |BBBB  |AAAA  |"},
    {"b_b_b", {1, 1, 1}, "BBBB  |------|------|"},
};
INSTANTIATE_TEST_SUITE_P(Window, SaveHistory, testing::ValuesIn(saveCases), quibra_test::ByLabel());

}  // namespace
}  // namespace wintest
