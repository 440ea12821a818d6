// A form window over a real keyed file, through the event loop and the
// scripted user: inserting one record or a batch, closing with unsaved
// changes, changing with retries while another program holds the file, and
// deleting at once or on completion. After each, the file holds exactly what
// the user chose.
#include <algorithm>

#include "ItemForm.h"
#include "runtime/MessageBox.h"
#include "support/CaseName.h"

namespace filetest {
namespace {

#ifdef QUIBRA_HAVE_SQLITE

using headless::User;
using quibra::ResponseCancelled;
using quibra::ResponseCompleted;

const std::string kBusy("\xFF\x01\x03\x7F", 4);

class Form : public FileTest {
 protected:
  void SetUp() override {
    FileTest::SetUp();
    RegisterItemForm();
    path = dir.File("items.db");
    MakeItems(path, {ItemOf("A", "Apple", 1), ItemOf("B", "Banana", 2)});
    file = ItemFile(path, item);
    Manage(manager, *file);
    ASSERT_EQ(manager.Open(), quibra::LevelOk);
  }
  void TearDown() override {
    manager.Close();
    FileTest::TearDown();
  }
  // The form for a request; a change or delete form edits the item with that code.
  int32_t Run(uint8_t request, const std::string& code = "", std::function<void(ItemForm&)> configure = {}) {
    if (!code.empty()) {
      SetItem(item, code, "", 0);
      EXPECT_TRUE(file->Get(1));
    }
    ItemForm form(relation, errors, item);
    form.REQUEST = request;
    form.configure = std::move(configure);
    const int32_t response = form.RunModal();
    primes = form.primes;
    return response;
  }
  int Calls(const std::string& call) const {
    return static_cast<int>(std::count(relation.calls.begin(), relation.calls.end(), call));
  }
  // Another program takes the file for a write of its own once the form is
  // up; the form's writes wait for it only briefly.
  void HoldOnceTheFormIsUp() {
    file->Send("LockWait=20");
    User().Run([this] {
      other = std::make_unique<Holder>(path, "write");
      ASSERT_TRUE(other->Holding());
    });
  }

  std::string path;
  std::unique_ptr<rt::File> file;
  quibra::FileAccessManager manager;
  ItemRelation relation{manager, errors};
  int primes = 0;
  std::unique_ptr<Holder> other;
};

const std::string kBoth = "A|Apple|1;B|Banana|2";

TEST_F(Form, AnInsertCompletedAddsTheRecordAndCloses) {
  User().Type(CtlCode, "C").Type(CtlName, "Cherry").Type(CtlQty, "3").Press(CtlOk);
  EXPECT_EQ(Run(quibra::RequestInsert), ResponseCompleted);
  EXPECT_EQ(AllItems(path), kBoth + ";C|Cherry|3");
  EXPECT_EQ(primes, 1);
  EXPECT_EQ(Calls("Begin"), 1);
}

struct CloseCase {
  const char* label;
  uint8_t cancelAction;
  std::vector<int32_t> answers;  // to the questions, in order; 0 closes again first
  std::vector<std::string> captions;
  int32_t response;
  bool saved;
  bool withoutOk = false;  // the form has no OK control: saving completes it at once
};

// Cases are named by their label in test output.
void PrintTo(const CloseCase& c, std::ostream* os) { *os << c.label; }

const CloseCase closeCases[] = {
    {"save record? no", 3, {rt::ButtonNo}, {"Save Record"}, ResponseCancelled, false},
    {"save record? yes", 3, {rt::ButtonYes}, {"Save Record"}, ResponseCompleted, true},
    {"save record? cancel, then no",
     3,
     {rt::ButtonCancel, 0, rt::ButtonNo},
     {"Save Record", "Save Record"},
     ResponseCancelled,
     false},
    {"save record? yes, without an OK control", 3, {rt::ButtonYes}, {"Save Record"}, ResponseCompleted, true, true},
    {"saved without asking", 1, {}, {}, ResponseCompleted, true},
    {"sure to cancel? yes", 2, {rt::ButtonYes}, {"Changes will be lost!"}, ResponseCancelled, false},
    {"sure to cancel? no, then yes",
     2,
     {rt::ButtonNo, 0, rt::ButtonYes},
     {"Changes will be lost!", "Changes will be lost!"},
     ResponseCancelled,
     false},
    {"nothing asked", 0, {}, {}, ResponseCancelled, false},
};

class ClosingAnInsert : public Form, public testing::WithParamInterface<CloseCase> {};

TEST_P(ClosingAnInsert, LeavesTheFileAsTheUserChose) {
  const CloseCase& c = GetParam();
  User().Type(CtlCode, "C").Type(CtlName, "Cherry").CloseWindow();
  for (int32_t answer : c.answers) {
    if (answer == 0)
      User()
          .Run([] { EXPECT_EQ(rt::CurrentWindow()->Focus(), CtlCode) << "the form stays, on its first field"; })
          .CloseWindow();
    else
      User().AnswerBox(answer);
  }
  EXPECT_EQ(Run(quibra::RequestInsert, "",
                [&](ItemForm& f) {
                  f.CANCELACTION = c.cancelAction;
                  if (c.withoutOk) f.OKCONTROL = 0;
                }),
            c.response);
  EXPECT_EQ(Captions(), c.captions);
  EXPECT_EQ(AllItems(path), c.saved ? kBoth + ";C|Cherry|1" : kBoth);
  EXPECT_EQ(Calls("Abandon"), c.saved ? 0 : 1) << "an insert that was not saved is abandoned";
}

INSTANTIATE_TEST_SUITE_P(Form, ClosingAnInsert, testing::ValuesIn(closeCases), quibra_test::ByLabel());

TEST_F(Form, AnInsertCancelledUntouchedAsksNothingAndAddsNothing) {
  User().Press(CtlCancel);
  EXPECT_EQ(Run(quibra::RequestInsert), ResponseCancelled);
  EXPECT_EQ(AllItems(path), kBoth);
  EXPECT_EQ(Calls("Abandon"), 1);
}

TEST_F(Form, ABatchInsertStartsAFreshRecordAndReloadsTheLastOneAtTheEnd) {
  User()
      .Type(CtlCode, "C")
      .Type(CtlName, "Cherry")
      .Press(CtlOk)
      .Run([&] { EXPECT_EQ(rt::CurrentWindow()->Contents(CtlCode), "") << "a fresh record"; })
      .Type(CtlCode, "D")
      .Type(CtlName, "Date")
      .Press(CtlOk)
      .CloseWindow();
  EXPECT_EQ(Run(quibra::RequestInsert, "", [](ItemForm& f) { f.INSERTACTION = 3; }), ResponseCompleted);
  EXPECT_EQ(AllItems(path), kBoth + ";C|Cherry|1;D|Date|1");
  EXPECT_EQ(CodeOf(item) + NameOf(item), "DDate") << "the last record inserted is reloaded";
  EXPECT_EQ(primes, 3);
  EXPECT_EQ(Captions(), std::vector<std::string>{}) << "a fresh record closes without a question";
}

TEST_F(Form, AskingToAddAnotherRecord) {
  User()
      .Type(CtlCode, "C")
      .Press(CtlOk)
      .AnswerBox(rt::ButtonYes)
      .Type(CtlCode, "D")
      .Press(CtlOk)
      .AnswerBox(rt::ButtonNo);
  EXPECT_EQ(Run(quibra::RequestInsert, "", [](ItemForm& f) { f.INSERTACTION = 4; }), ResponseCompleted);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"Record Added", "Record Added"}));
  EXPECT_EQ(AllItems(path), kBoth + ";C||1;D||1");
}

TEST_F(Form, ADuplicateKeyKeepsTheFormOpenUntilTheUserMendsIt) {
  User()
      .Type(CtlCode, "a")
      .Type(CtlName, "Avocado")
      .Press(CtlOk)
      .AnswerBox(rt::ButtonOk)
      .Run([] { EXPECT_EQ(rt::CurrentWindow()->Focus(), CtlCode); })
      .Type(CtlCode, "V")
      .Press(CtlOk);
  EXPECT_EQ(Run(quibra::RequestInsert), ResponseCompleted);
  ASSERT_EQ(headless::Boxes().size(), 1u);
  EXPECT_EQ(headless::Boxes()[0].text, "Adding this record creates a duplicate entry for the key: BYCODE");
  EXPECT_EQ(AllItems(path), kBoth + ";V|Avocado|1");
  // The key's name was that report's: the next message shows the manager's
  // own message text again (none was set).
  User().AnswerBox(rt::ButtonOk);
  errors.Raise(24);
  EXPECT_EQ(headless::Boxes().back().text, "The Procedure  has not been defined.") << "no stale key name";
}

TEST_F(Form, AChangeIsWrittenUnderTheBusyCursor) {
  User().Type(CtlName, "Apricot").Press(CtlOk);
  EXPECT_EQ(Run(quibra::RequestChange, "A"), ResponseCompleted);
  EXPECT_EQ(AllItems(path), "A|Apricot|1;B|Banana|2");
  EXPECT_EQ(headless::Cursors(), (std::vector<std::string>{kBusy, ""}));
}

TEST_F(Form, AnUnchangedRecordIsNotWritten) {
  User().Press(CtlOk);
  EXPECT_EQ(Run(quibra::RequestChange, "A"), ResponseCancelled);
  EXPECT_EQ(Calls("Update(0)"), 0);
  EXPECT_EQ(AllItems(path), kBoth);
}

TEST_F(Form, AChangeRetriedWhileAnotherProgramHoldsTheFileThenGivenUp) {
  HoldOnceTheFormIsUp();
  // No more tries closes the form; the close then asks about the unsaved
  // change like any other close.
  User().Type(CtlQty, "9").Press(CtlOk).AnswerBox(rt::ButtonYes).AnswerBox(rt::ButtonYes).AnswerBox(rt::ButtonNo);
  User().AnswerBox(rt::ButtonNo);
  EXPECT_EQ(Run(quibra::RequestChange, "A"), ResponseCancelled);
  EXPECT_EQ(Calls("Update(0)"), 3);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"Record Update Error", "Record Update Error", "Record Update Error",
                                                  "Save Record"}));
  other.reset();
  EXPECT_EQ(AllItems(path), kBoth);
}

TEST_F(Form, AChangeRetriedAfterTheOtherProgramIsDoneIsWritten) {
  HoldOnceTheFormIsUp();
  relation.onUpdate = [&](int call) {
    if (call == 2) other.reset();  // the other program finishes its write and ends
  };
  User().Type(CtlQty, "9").Press(CtlOk).AnswerBox(rt::ButtonYes);
  EXPECT_EQ(Run(quibra::RequestChange, "A"), ResponseCompleted);
  EXPECT_EQ(Captions(), std::vector<std::string>{"Record Update Error"});
  EXPECT_EQ(AllItems(path), "A|Apple|9;B|Banana|2");
}

struct DeleteCase {
  const char* label;
  uint8_t deleteAction;
  std::vector<int32_t> answers;
  int32_t response;
  const char* left;
};

// Cases are named by their label in test output.
void PrintTo(const DeleteCase& c, std::ostream* os) { *os << c.label; }

const DeleteCase deleteCases[] = {
    {"at once, without asking", 4, {}, ResponseCompleted, "B|Banana|2"},
    {"at once, confirmed", 2, {rt::ButtonYes}, ResponseCompleted, "B|Banana|2"},
    {"at once, not confirmed", 2, {rt::ButtonNo}, ResponseCancelled, "A|Apple|1;B|Banana|2"},
};

class DeletingAtOnce : public Form, public testing::WithParamInterface<DeleteCase> {};

TEST_P(DeletingAtOnce, SettlesTheRequestWithoutRunningTheForm) {
  for (int32_t a : GetParam().answers) User().AnswerBox(a);
  EXPECT_EQ(Run(quibra::RequestDelete, "A", [&](ItemForm& f) { f.DELETEACTION = GetParam().deleteAction; }),
            GetParam().response);
  EXPECT_EQ(AllItems(path), GetParam().left);
}

INSTANTIATE_TEST_SUITE_P(Form, DeletingAtOnce, testing::ValuesIn(deleteCases), quibra_test::ByLabel());

TEST_F(Form, ADeleteThatFailsCanBeLeftOpenAndThenGivenUp) {
  HoldOnceTheFormIsUp();
  User()
      .Press(CtlOk)
      .AnswerBox(rt::ButtonCancel)
      .Run([] { EXPECT_EQ(rt::CurrentWindow()->Focus(), CtlCode); })
      .Press(CtlOk)
      .AnswerBox(rt::ButtonNo);
  EXPECT_EQ(Run(quibra::RequestDelete, "A", [](ItemForm& f) { f.DELETEACTION = 1; }), ResponseCancelled);
  EXPECT_EQ(Captions(), std::vector<std::string>(2, "Record Delete Error"));
  other.reset();
  EXPECT_EQ(AllItems(path), kBoth);
}

#else

// Said when skipped, so that a build without the keyed driver does not drop
// these cases without a word.
TEST(FormWithoutSqlite, TheFormCasesNeedTheKeyedDriver) {
  GTEST_SKIP() << "the form window cases edit a keyed file: this build has no SQLite driver";
}

#endif

}  // namespace
}  // namespace filetest
