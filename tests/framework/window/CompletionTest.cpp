// Settling a form's record with fakes for its file, its record relation and
// its error manager, so that every branch of the change, delete and batch
// insert completions runs on every build (the keyed driver is not needed).
// Each case compares the calls made and the events posted, in order.
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "WindowTestKit.h"
#include "framework/window/ErrorReporter.h"
#include "framework/window/FormFile.h"
#include "framework/window/RecordRelation.h"
#include "runtime/EventLoop.h"
#include "runtime/Events.h"
#include "runtime/MessageBox.h"
#include "support/CaseName.h"

namespace wintest {
namespace {

using quibra::RequestChange;
using quibra::RequestDelete;
using quibra::RequestInsert;
using quibra::ResponseCancelled;
using quibra::ResponseCompleted;

template <typename T>
T Next(std::deque<T>& answers, T otherwise) {
  if (answers.empty()) return otherwise;
  T front = answers.front();
  answers.pop_front();
  return front;
}

class FakeErrors : public quibra::ErrorReporter {
 public:
  FakeErrors()
      : ErrorReporter(
            [](ErrorReporter& self, uint16_t id) {
              Note("E.Raise(" + std::to_string(id) + ")");
              return Next(static_cast<FakeErrors&>(self).raised, Level{quibra::LevelOk});
            },
            [](ErrorReporter& self, uint16_t id, int32_t, int32_t) {
              Note("E.Ask(" + std::to_string(id) + ")");
              return Next(static_cast<FakeErrors&>(self).answers, int32_t{rt::ButtonCancel});
            }) {}
  std::deque<Level> raised;
  std::deque<int32_t> answers;
};

class FakeFile : public quibra::FormFile {
 public:
  Level PrepareForUse(uint8_t usage) override {
    Note(who + ".Prepare(" + std::to_string(usage) + ")");
    return quibra::LevelOk;
  }
  std::string CurrentPosition() override { return "P7"; }
  Level RefetchAt(const std::string& position) override {
    Note(who + ".Refetch(" + position + ")");
    return quibra::LevelOk;
  }
  uint16_t SaveState() override {
    Note(who + ".Save=" + std::to_string(++states));
    return states;
  }
  void RestoreState(uint16_t& id, uint8_t putBack) override {
    Note(who + ".Restore(" + std::to_string(id) + "," + std::to_string(putBack) + ")");
    id = 0;
  }
  uint8_t BufferUnchanged(uint16_t) override { return unchanged; }
  Level InsertRecord() override {
    Note(who + ".Insert");
    return Next(inserts, Level{quibra::LevelOk});
  }
  Level ReadyNewRecord() override {
    Note(who + ".Ready");
    return ready;
  }

  std::string who = "F";  // the name its calls are traced under
  uint16_t states = 0;
  uint8_t unchanged = 0;
  std::deque<Level> inserts;
  Level ready = quibra::LevelOk;
};

class FakeRelation : public quibra::RecordRelation {
 public:
  uint8_t AbandonInsert() override {
    Note("R.Abandon");
    return abandon;
  }
  uint8_t DeleteCurrent(uint8_t ask) override {
    Note("R.Delete(" + std::to_string(ask) + ")");
    return Next(deletes, uint8_t{0});
  }
  void BeginRequest() override { Note("R.Begin"); }
  uint8_t UpdateCurrent(uint8_t flag) override {
    Note("R.Update(" + std::to_string(flag) + ")");
    return Next(updates, uint8_t{0});
  }
  uint8_t abandon = 0;
  std::deque<uint8_t> deletes, updates;
};

// A form whose new-record hook may refuse, as a derived form's does by
// cancelling its response.
class Form : public quibra::WindowController {
 public:
  void PrimeNewRecord() override {
    Note("C.Prime");
    if (refusePrime) RESPONSE = ResponseCancelled;
  }
  bool refusePrime = false;
};

// One form with its fakes over the open test window, ready for a request.
class Completion : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    std::memset(name, ' ', sizeof name);
    window = rt::PrepareWindow("t3test", "WINDOW", {rt::BindFixed(name, sizeof name)});
    ASSERT_NE(window, nullptr);
    rt::OpenWindow(window);
    DrainEvents();  // the window's own opening
    relation.PRIMARYFILE = &file;
    form.PRIMARY = &relation;
    form.ERRORS = &errors;
  }
  void TearDown() override {
    rt::ReleaseWindow(window);
    WindowTest::TearDown();
  }
  // The events the form posted, oldest first, as "close" and "accept(n)".
  std::vector<std::string> DrainEvents() {
    std::vector<std::string> events;
    while (window->QueuedEvents() > 0 && window->NextEvent()) {
      const auto& e = window->Current();
      if (e.event == rt::EventCloseRequested)
        events.push_back("close");
      else if (e.event == rt::EventControlAccepted)
        events.push_back("accept(" + std::to_string(e.control) + ")");
      else
        events.push_back(std::to_string(e.event));
    }
    return events;
  }
  std::string Calls() { return Trace({"E.", "F.", "U.", "R.", "C."}); }

  rt::Window* window = nullptr;
  char name[20] = {};  // the name field's variable
  FakeErrors errors;
  FakeFile file;
  FakeRelation relation;
  Form form;
};

struct ChangeCase {
  const char* label;
  uint8_t unchanged;
  std::deque<uint8_t> updates;  // UpdateCurrent's results in turn
  std::deque<int32_t> answers;  // the user's answers to "update failed"
  int32_t historyKey;
  std::string calls;
  std::vector<std::string> events;
  uint8_t response;
};

// Cases are named by their label in test output.
void PrintTo(const ChangeCase& c, std::ostream* os) { *os << c.label; }

class Changing : public Completion, public testing::WithParamInterface<ChangeCase> {};

TEST_P(Changing, WritesRetriesOrGoesBackToTheFormAsTheUserChooses) {
  const ChangeCase& c = GetParam();
  file.unchanged = c.unchanged;
  relation.updates = c.updates;
  errors.answers = c.answers;
  form.REQUEST = RequestChange;
  form.HISTORYKEY = c.historyKey;
  std::memcpy(name, "Edited", 6);
  EXPECT_EQ(form.OnCompleted(), quibra::LevelOk);
  EXPECT_EQ(Calls(), c.calls);
  EXPECT_EQ(DrainEvents(), c.events);
  EXPECT_EQ(form.RESPONSE, c.response);
  EXPECT_EQ(window->Contents(CtlName), c.events.empty() ? "Edited" : "") << "back at the form, the record is shown";
}

const ChangeCase changeCases[] = {
    {"written", 0, {0}, {}, 0, "R.Update(0)", {"close"}, ResponseCompleted},
    // A form with a history key asks for the record's history to be kept.
    {"written_with_history", 0, {0}, {}, 12, "R.Update(1)", {"close"}, ResponseCompleted},
    {"unchanged_is_not_written", 1, {}, {}, 0, "", {"close"}, ResponseCancelled},
    {"failed_retried_then_written",
     0,
     {1, 0},
     {rt::ButtonYes},
     0,
     "R.Update(0) E.Ask(34) R.Update(0)",
     {"close"},
     ResponseCompleted},
    {"failed_given_up", 0, {1}, {rt::ButtonNo}, 0, "R.Update(0) E.Ask(34)", {"close"}, ResponseCancelled},
    {"failed_back_to_the_form", 0, {1}, {rt::ButtonCancel}, 0, "R.Update(0) E.Ask(34)", {}, ResponseCancelled},
    // Any result but 1 is a failure the user cannot retry.
    {"failed_for_good", 0, {2}, {}, 0, "R.Update(0)", {}, ResponseCancelled},
};
INSTANTIATE_TEST_SUITE_P(Form, Changing, testing::ValuesIn(changeCases), quibra_test::ByLabel());

struct DeleteCase {
  const char* label;
  uint8_t deleteAction;
  std::deque<uint8_t> deletes;
  std::deque<int32_t> answers;
  std::string calls;
  std::vector<std::string> events;
  uint8_t response;
};

// Cases are named by their label in test output.
void PrintTo(const DeleteCase& c, std::ostream* os) { *os << c.label; }

class Deleting : public Completion, public testing::WithParamInterface<DeleteCase> {};

TEST_P(Deleting, DeletesRetriesOrGoesBackToTheFormAsTheUserChooses) {
  const DeleteCase& c = GetParam();
  relation.deletes = c.deletes;
  errors.answers = c.answers;
  form.REQUEST = RequestDelete;
  form.DELETEACTION = c.deleteAction;
  std::memcpy(name, "Edited", 6);
  EXPECT_EQ(form.OnCompleted(), quibra::LevelOk);
  EXPECT_EQ(Calls(), c.calls);
  EXPECT_EQ(DrainEvents(), c.events);
  EXPECT_EQ(form.RESPONSE, c.response);
  EXPECT_EQ(window->Contents(CtlName), c.events.empty() ? "Edited" : "") << "back at the form, the record is shown";
}

const DeleteCase deleteCases[] = {
    {"deleted", 0, {0}, {}, "R.Delete(0)", {"close"}, ResponseCompleted},
    // Action 2 has the relation ask the user before it deletes.
    {"deleted_after_asking", 2, {0}, {}, "R.Delete(1)", {"close"}, ResponseCompleted},
    {"failed_retried_then_deleted",
     0,
     {1, 0},
     {rt::ButtonYes},
     "R.Delete(0) E.Ask(33) R.Delete(0)",
     {"close"},
     ResponseCompleted},
    {"failed_given_up", 0, {1}, {rt::ButtonNo}, "R.Delete(0) E.Ask(33)", {"close"}, ResponseCancelled},
    {"failed_back_to_the_form", 0, {1}, {rt::ButtonCancel}, "R.Delete(0) E.Ask(33)", {}, ResponseCancelled},
};
INSTANTIATE_TEST_SUITE_P(Form, Deleting, testing::ValuesIn(deleteCases), quibra_test::ByLabel());

struct InsertCase {
  const char* label;
  uint8_t insertAction;
  std::deque<Level> inserts;
  std::deque<Level> raised;  // the answer to "record added: another?"
  Level ready;
  Level result;
  std::string calls;
  std::vector<std::string> events;
  uint8_t response;
};

// Cases are named by their label in test output.
void PrintTo(const InsertCase& c, std::ostream* os) { *os << c.label; }

class Inserting : public Completion, public testing::WithParamInterface<InsertCase> {};

TEST_P(Inserting, EndsTheFormOrStartsTheNextRecord) {
  const InsertCase& c = GetParam();
  file.inserts = c.inserts;
  file.ready = c.ready;
  errors.raised = c.raised;
  form.REQUEST = RequestInsert;
  form.INSERTACTION = c.insertAction;
  form.SAVED = 5;
  EXPECT_EQ(form.OnCompleted(), c.result);
  EXPECT_EQ(Calls(), c.calls);
  EXPECT_EQ(DrainEvents(), c.events);
  EXPECT_EQ(form.RESPONSE, c.response);
}

// The next record of a batch starts from the record the form began with
// (state 5), which is saved again for the one after.
const char* const kNextRecord = "F.Restore(5,1) F.Prepare(3) F.Ready C.Prime F.Save=1";

const InsertCase insertCases[] = {
    {"failed_stays_open", 3, {quibra::LevelNotify}, {}, quibra::LevelOk, quibra::LevelNotify, "F.Insert", {}, 0},
    {"inserted_and_done", 0, {quibra::LevelOk}, {}, quibra::LevelOk, quibra::LevelOk, "F.Insert", {}, 0},
    {"inserted_and_closed",
     2,
     {quibra::LevelOk},
     {},
     quibra::LevelOk,
     quibra::LevelOk,
     "F.Insert",
     {"close"},
     ResponseCompleted},
    {"batch_next_record",
     3,
     {quibra::LevelOk},
     {},
     quibra::LevelOk,
     quibra::LevelNotify,
     std::string("F.Insert ") + kNextRecord,
     {},
     ResponseCancelled},
    {"asked_another_yes",
     4,
     {quibra::LevelOk},
     {quibra::LevelOk},
     quibra::LevelOk,
     quibra::LevelNotify,
     std::string("F.Insert E.Raise(3) ") + kNextRecord,
     {},
     ResponseCancelled},
    {"asked_another_no",
     4,
     {quibra::LevelOk},
     {quibra::LevelCancel},
     quibra::LevelOk,
     quibra::LevelOk,
     "F.Insert E.Raise(3)",
     {"close"},
     ResponseCompleted},
    // A file that cannot give a fresh record ends the batch.
    {"batch_without_a_fresh_record",
     3,
     {quibra::LevelOk},
     {},
     quibra::LevelNotify,
     quibra::LevelNotify,
     "F.Insert F.Restore(5,1) F.Prepare(3) F.Ready F.Save=1",
     {"close"},
     0},
};
INSTANTIATE_TEST_SUITE_P(Form, Inserting, testing::ValuesIn(insertCases), quibra_test::ByLabel());

TEST_F(Completion, ABatchRemembersWhereItsLastRecordWentAndReturnsThereOnClose) {
  form.REQUEST = RequestInsert;
  form.ORIGINALREQUEST = RequestInsert;
  form.INSERTACTION = 3;
  EXPECT_EQ(form.OnCompleted(), quibra::LevelNotify);
  Log().clear();
  EXPECT_EQ(form.OnCloseRequest(), quibra::LevelOk);
  EXPECT_EQ(Calls(), "R.Abandon F.Refetch(P7)");
  EXPECT_EQ(form.RESPONSE, ResponseCompleted);
}

TEST_F(Completion, AnInsertThatCannotBeAbandonedKeepsTheFormOpen) {
  for (uint8_t refuses : {0, 1}) {
    SCOPED_TRACE(refuses);
    Log().clear();
    relation.abandon = refuses;
    form.REQUEST = RequestInsert;
    form.ORIGINALREQUEST = RequestInsert;
    form.RESPONSE = ResponseCancelled;
    form.FIRSTFIELD = CtlCity;
    rt::Select(CtlName);
    EXPECT_EQ(form.OnCloseRequest(), refuses ? quibra::LevelNotify : quibra::LevelOk);
    EXPECT_EQ(Calls(), "R.Abandon");
    EXPECT_EQ(window->Focus(), refuses ? CtlCity : CtlName) << "a form that stays goes back to its first field";
  }
}

TEST_F(Completion, AFormWithoutAFileHasNothingToPrepare) {
  relation.PRIMARYFILE = nullptr;
  form.REQUEST = RequestInsert;
  form.INSERTACTION = 3;
  EXPECT_EQ(form.PrepareRequest(), quibra::LevelOk);
  EXPECT_EQ(Calls(), "");
}

TEST_F(Completion, ANewRecordRefusedByItsHookMeansTheFormNeedNotRun) {
  for (bool refuse : {false, true}) {
    SCOPED_TRACE(refuse);
    Log().clear();
    form.refusePrime = refuse;
    form.REQUEST = RequestInsert;
    form.INSERTACTION = 3;
    EXPECT_EQ(form.PrepareRequest(), refuse ? quibra::LevelFatal : quibra::LevelOk);
    EXPECT_EQ(form.RESPONSE, ResponseCancelled);
    EXPECT_EQ(Calls(), "F.Prepare(3) R.Begin C.Prime F.Save=" + std::to_string(file.states));
  }
}

// The form's further files: each one's record state is saved when a request
// begins, saved afresh for every record of a batch, and put back as it was
// when the form ends. An entry that names no file is passed over.
TEST_F(Completion, FurtherFilesAreSavedAsTheRequestBeginsAndPutBackWhenTheFormEnds) {
  FakeFile update;
  update.who = "U";
  form.FILES = new rt::Queue<quibra::UpdateFileEntry>;
  form.FILES->buffer = {};
  form.FILES->buffer.UPDATEFILE = &update;
  form.FILES->Add();
  form.FILES->buffer.UPDATEFILE = nullptr;
  form.FILES->Add();
  auto savedState = [&] {
    form.FILES->Get(1);
    return form.FILES->buffer.SAVEDSTATE;
  };
  form.REQUEST = RequestInsert;
  form.INSERTACTION = 3;
  ASSERT_EQ(form.PrepareRequest(), quibra::LevelOk);
  EXPECT_EQ(savedState(), 1);
  ASSERT_EQ(form.OnCompleted(), quibra::LevelNotify) << "the batch goes on to its next record";
  EXPECT_EQ(savedState(), 2);
  form.CL = new rt::Queue<quibra::ComponentEntry>;
  ASSERT_EQ(form.Shutdown(), quibra::LevelOk);
  EXPECT_EQ(form.FILES, nullptr);
  EXPECT_EQ(Trace({"U."}), "U.Save=1 U.Restore(1,1) U.Save=2 U.Restore(2,0)");
}

}  // namespace
}  // namespace wintest
